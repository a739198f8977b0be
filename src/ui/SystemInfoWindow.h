#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace veld23 {

struct SystemInformationTexts;

// "System Info": the preset name, project name, engineer and comments of the configuration,
// each held to its capacity (40, 30, 30 and 200 characters). Every edit goes straight into
// the configuration. The preset name is the main window's name field as well: an edit here
// is announced with SystemNameEdited, and the main window's edits arrive through
// SetSystemName without being announced back.
class SystemInfoWindow : public QDialog {
    Q_OBJECT

  public:
    explicit SystemInfoWindow(SystemInformationTexts& texts, QWidget* parent = nullptr);

    // Reads all four texts from the configuration again (after New, Open or Read).
    void Refresh();

  public Q_SLOTS:
    void SetSystemName(const QString& name);

  Q_SIGNALS:
    void SystemNameEdited(const QString& name);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void NameEdited(const QString& text);
    void CommentsEdited();

    SystemInformationTexts& texts_;
    QLineEdit* name_;
    QLineEdit* project_;
    QLineEdit* engineer_;
    QPlainTextEdit* comments_;
    bool refreshing_ = false;
};

} // namespace veld23
