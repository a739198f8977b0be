#include "ui/SystemInfoWindow.h"

#include "ProgramVersion.h"
#include "config/SystemInformation.h"
#include "ui/QtText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

namespace veld23 {

namespace {

// The configuration keeps comment lines apart with CR LF, as the processor's own software
// writes them; the text field uses a plain line feed.
QString CommentsForField(std::string_view bytes) {
    QString text = FromWindows1252(bytes);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

std::string CommentsForModel(const QString& field) {
    QString text = field;
    text.replace('\n', "\r\n");
    return ToWindows1252(text);
}

template <typename Text> QLineEdit* TextField(QWidget* parent, const char* name, Text&) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(static_cast<int>(Text::kCapacity));
    return field;
}

} // namespace

SystemInfoWindow::SystemInfoWindow(SystemInformationTexts& texts, QWidget* parent)
    : QDialog(parent), texts_(texts), name_(TextField(this, "PresetName", texts.SystemName)),
      project_(TextField(this, "ProjectName", texts.ProjectName)),
      engineer_(TextField(this, "Engineer", texts.Engineer)), comments_(new QPlainTextEdit(this)) {
    setWindowTitle("System Info");
    setModal(true);
    comments_->setObjectName("Comments");
    comments_->setTabChangesFocus(true);
    // About forty average characters across.
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 44);
    comments_->setMinimumHeight(comments_->fontMetrics().lineSpacing() * 6);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(8);
    form->addRow("PRESET NAME", name_);
    form->addRow("PROJECT NAME", project_);
    form->addRow("ENGINEER", engineer_);
    form->addRow("COMMENTS", comments_);
    auto* version = new QLabel(kProgramVersion, this);
    version->setObjectName("EditorVersion");
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow("EDITOR VERSION", version);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(name_, &QLineEdit::textEdited, this, &SystemInfoWindow::NameEdited);
    connect(project_, &QLineEdit::textEdited, this,
            [this](const QString& text) { texts_.ProjectName.Assign(ToWindows1252(text)); });
    connect(engineer_, &QLineEdit::textEdited, this,
            [this](const QString& text) { texts_.Engineer.Assign(ToWindows1252(text)); });
    connect(comments_, &QPlainTextEdit::textChanged, this, &SystemInfoWindow::CommentsEdited);
    Refresh();
}

void SystemInfoWindow::Refresh() {
    refreshing_ = true;
    name_->setText(FromWindows1252(texts_.SystemName.View()));
    project_->setText(FromWindows1252(texts_.ProjectName.View()));
    engineer_->setText(FromWindows1252(texts_.Engineer.View()));
    comments_->setPlainText(CommentsForField(texts_.Comments.View()));
    refreshing_ = false;
}

void SystemInfoWindow::SetSystemName(const QString& name) {
    if (name_->text() != name) {
        name_->setText(name);
    }
}

void SystemInfoWindow::NameEdited(const QString& text) {
    texts_.SystemName.Assign(ToWindows1252(text));
    Q_EMIT SystemNameEdited(text);
}

void SystemInfoWindow::CommentsEdited() {
    if (refreshing_) {
        return;
    }
    const std::string bytes = CommentsForModel(comments_->toPlainText());
    if (texts_.Comments.Assign(bytes)) {
        return;
    }
    // Past the capacity: keep what fits and show exactly that, so the field never holds
    // text the configuration does not. A line break cut in half is dropped whole.
    std::string_view kept = texts_.Comments.View();
    if (!kept.empty() && kept.back() == '\r') {
        kept.remove_suffix(1);
        texts_.Comments.Assign(kept);
    }
    const QSignalBlocker block(comments_);
    comments_->setPlainText(CommentsForField(texts_.Comments.View()));
    comments_->moveCursor(QTextCursor::End);
}

void SystemInfoWindow::showEvent(QShowEvent* event) {
    Refresh();
    QDialog::showEvent(event);
}

} // namespace veld23
