#include "Shots.h"

#include "ui/ConnectDialogWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowSignalChain.h"

#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace veld23::shots {

void ShotFolder::Save(const QPixmap& picture, const QString& name) {
    if (picture.isNull() || !picture.save(dir_.filePath(name + ".png"))) {
        Missing(name);
    }
}

void ShotFolder::Missing(const QString& name) {
    std::fprintf(stderr, "could not make %s.png\n", qPrintable(name));
    ++failures_;
}

void ShotFolder::Save(QWidget& widget, const QString& name) {
    widget.show();
    Save(Grab(widget), name);
}

QPixmap Grab(QWidget& widget) {
    if (!QTest::qWaitForWindowExposed(&widget)) {
        return {};
    }
    QTest::qWait(50);
    return widget.grab();
}

QPixmap SideBySide(const QPixmap& left, const QPixmap& right) {
    constexpr qreal kGap = 16.0;
    const QSizeF a = left.deviceIndependentSize();
    const QSizeF b = right.deviceIndependentSize();
    const qreal ratio = left.devicePixelRatio();
    QPixmap both(
        (QSizeF(a.width() + kGap + b.width(), std::max(a.height(), b.height())) * ratio).toSize());
    both.setDevicePixelRatio(ratio);
    both.fill(QColor(0x20, 0x20, 0x20));
    QPainter painter(&both);
    painter.drawPixmap(QPointF(0.0, 0.0), left);
    painter.drawPixmap(QPointF(a.width() + kGap, 0.0), right);
    return both;
}

OfflineProgram::OfflineProgram()
    : program(std::make_unique<EditorProgram>(dialogs, EditorProgram::Options{})) {
    program->SetEndHandler([] {});
    program->Start();
    QTest::mouseClick(program->ConnectWindow().Selector(link::LinkIndicator::Offline),
                      Qt::LeftButton);
}

void OfflineProgram::Press(commands::EditorWindow window, char channel) {
    for (const auto& editor : program->Main().SignalChain().EditorButtons()) {
        if (editor.window == window && (channel == 0 || editor.channel == channel)) {
            QTest::mouseClick(editor.button, Qt::LeftButton);
            return;
        }
    }
}

} // namespace veld23::shots
