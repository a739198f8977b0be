#include "ui/AboutWindow.h"

#include "ProgramVersion.h"
#include "ui/DarkTheme.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace veld23 {

namespace {

QLabel* LinkField(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QString Link(const QString& scheme, const QString& address) {
    if (address.isEmpty()) {
        return {};
    }
    const QString shown = address.toHtmlEscaped();
    const QString target = address.contains("://") ? address : scheme + address;
    return QString("<a href=\"%1\" style=\"color:#00FFFF\">%2</a>")
        .arg(target.toHtmlEscaped(), shown);
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent), text_(new QLabel(this)), webLink_(LinkField(this, "WebAddress")),
      emailLink_(LinkField(this, "EmailAddress")) {
    setWindowTitle("About us");
    setModal(true);
    auto* heading = new QLabel("VELD23", this);
    MakeHeading(*heading);
    heading->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QString("Editor version %1").arg(kProgramVersion), this);
    version->setObjectName("VersionText");
    version->setAlignment(Qt::AlignCenter);
    text_->setObjectName("AboutText");
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wide enough for the longest paragraph to wrap onto three or four lines.
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * 60);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addWidget(version);
    layout->addWidget(text_);
    layout->addWidget(webLink_);
    layout->addWidget(emailLink_);
    layout->addWidget(buttons);
}

void AboutWindow::Fill(const QString& text, const QString& webAddress,
                       const QString& emailAddress) {
    text_->setText(text);
    web_ = webAddress;
    email_ = emailAddress;
    webLink_->setText(Link("http://", webAddress));
    emailLink_->setText(Link("mailto:", emailAddress));
}

QString AboutWindow::Text() const {
    return text_->text();
}

} // namespace veld23
