#include "ui/DeviceImageWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace veld23 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

DeviceImageWindow::DeviceImageWindow(ImageSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(std::move(source)), summary_(new QLabel(this)),
      dump_(new QPlainTextEdit(this)) {
    setWindowTitle("Device Image");
    dump_->setObjectName("Dump");
    dump_->setReadOnly(true);
    dump_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    dump_->setFont(fixed);
    const QFontMetrics metrics(fixed);
    // One whole line across, about thirty lines down.
    const int lineWidth =
        metrics.horizontalAdvance(QString(6 + 3 * kBytesPerLine + 2 + kBytesPerLine, 'M'));
    dump_->setMinimumSize(lineWidth + 40, metrics.lineSpacing() * 30);

    auto* refresh = new QPushButton("Refresh", this);
    refresh->setToolTip("Build the image again from the configuration");
    connect(refresh, &QPushButton::clicked, this, &DeviceImageWindow::Refresh);
    auto* top = new QHBoxLayout;
    top->addWidget(summary_, 1);
    top->addWidget(refresh);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(top);
    layout->addWidget(dump_);
}

void DeviceImageWindow::Refresh() {
    if (!source_) {
        return;
    }
    const DeviceImage image = source_();
    summary_->setText(QString("%1 bytes").arg(image.size()));
    // A refresh while reading further down keeps the place.
    const int scroll = dump_->verticalScrollBar()->value();
    dump_->setPlainText(HexDump(image));
    dump_->verticalScrollBar()->setValue(scroll);
}

QString DeviceImageWindow::Text() const {
    return dump_->toPlainText();
}

QString DeviceImageWindow::HexDump(std::span<const std::uint8_t> bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size() / kBytesPerLine + 1) * 80);
    for (std::size_t line = 0; line < bytes.size(); line += kBytesPerLine) {
        const std::size_t end = std::min(bytes.size(), line + kBytesPerLine);
        text += QString("%1 ").arg(line, 5);
        for (std::size_t i = line; i < line + kBytesPerLine; ++i) {
            text += ' ';
            if (i < end) {
                text += QChar(kHexDigits[bytes[i] >> 4]);
                text += QChar(kHexDigits[bytes[i] & 0x0F]);
            } else {
                text += "  ";
            }
        }
        text += "  ";
        for (std::size_t i = line; i < end; ++i) {
            const bool printable = bytes[i] >= 0x20 && bytes[i] < 0x7F;
            text += printable ? QChar(bytes[i]) : QChar('.');
        }
        text += '\n';
    }
    return text;
}

void DeviceImageWindow::showEvent(QShowEvent* event) {
    Refresh();
    QWidget::showEvent(event);
}

} // namespace veld23
