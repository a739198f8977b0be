#pragma once

#include "ui/ScriptedDialogs.h"

#include "commands/ApplicationWindows.h"
#include "ui/EditorProgram.h"

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

namespace veld23::shots {

// The folder the pictures go to; counts the pictures that could not be made.
class ShotFolder {
  public:
    explicit ShotFolder(const QString& path) : dir_(path) {}

    bool Ready() { return dir_.mkpath("."); }
    // The widget shown, painted once it is on the screen, and saved as name.png.
    void Save(QWidget& widget, const QString& name);
    void Save(const QPixmap& picture, const QString& name);
    // A picture that could not be taken.
    void Missing(const QString& name);
    int Failures() const { return failures_; }

  private:
    QDir dir_;
    int failures_ = 0;
};

// The widget as it stands on the screen, after a moment for pending paints.
QPixmap Grab(QWidget& widget);

// Two windows as they stand beside each other on the screen.
QPixmap SideBySide(const QPixmap& left, const QPixmap& right);

// The running editor with scripted dialogs, offline at its main window.
struct OfflineProgram {
    OfflineProgram();
    void Press(commands::EditorWindow window, char channel = 0);

    testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
};

void ShootSmallWindows(ShotFolder& shots);
void ShootMainWindows(ShotFolder& shots);
void ShootFilterWindows(ShotFolder& shots);
void ShootOutputEditors(ShotFolder& shots);
void ShootFinalResponse(ShotFolder& shots);

} // namespace veld23::shots
