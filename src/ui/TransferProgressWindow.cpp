#include "ui/TransferProgressWindow.h"

#include "ui/BringToFront.h"
#include "ui/QtText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace veld23 {

TransferProgressWindow::TransferProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), info_(new QLabel(kInitialInfo, this)),
      gauge_(new QProgressBar(this)), port_(new QLabel(this)),
      close_(new QPushButton(tr("&Close"), this)) {
    setObjectName("TW_Serial_Info_Form");
    setWindowTitle("VELD23");
    info_->setObjectName("Info");
    gauge_->setObjectName("ProgressBar");
    port_->setObjectName("Info_Com_Label");
    close_->setObjectName("closeButton");
    close_->setToolTip(tr("Close this window (Escape)"));
    close_->hide();
    connect(close_, &QPushButton::clicked, this, &TransferProgressWindow::CloseProgress);

    // A borderless window needs an edge of its own to stand apart from what lies behind.
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        "#TW_Serial_Info_Form { border: 1px solid #80FFFF; background: palette(window); }");
    QFont infoFont = info_->font();
    infoFont.setPointSizeF(infoFont.pointSizeF() * 1.2);
    infoFont.setBold(true);
    info_->setFont(infoFont);
    // Failure texts are longer than the progress texts; they must not widen the window.
    info_->setMinimumWidth(360);
    info_->setWordWrap(true);
    gauge_->setRange(0, 1);
    gauge_->setValue(0);
    gauge_->setTextVisible(false);
    gauge_->setFixedHeight(16);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(info_);
    layout->addWidget(gauge_);
    layout->addWidget(port_);
    layout->addWidget(close_, 0, Qt::AlignRight);
}

void TransferProgressWindow::ShowProgress() {
    close_->hide();
    if (!placed_) {
        adjustSize();
        PlaceOverParent();
        placed_ = true;
    }
    BringToFront(*this, KeyboardFocus::Leave);
}

void TransferProgressWindow::CloseProgress() {
    hide();
}

void TransferProgressWindow::TransferFailed() {
    close_->show();
    adjustSize();
    if (isVisible()) {
        activateWindow();
        close_->setFocus();
    }
}

void TransferProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        CloseProgress();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TransferProgressWindow::SetInfo(const std::string& text) {
    info_->setText(FromUtf8(text));
}

void TransferProgressWindow::SetPortLabel(const std::string& text) {
    port_->setText(FromUtf8(text));
}

void TransferProgressWindow::SetGaugeMax(int maximum) {
    gaugeMax_ = maximum;
    // A range of 0..0 would turn the gauge into a busy indicator; nothing to send shows an
    // empty gauge instead.
    gauge_->setRange(0, std::max(maximum, 1));
    gauge_->setValue(0);
}

void TransferProgressWindow::SetGaugePosition(int position) {
    // Qt ignores values outside the range; past the end means full.
    gauge_->setValue(std::clamp(position, 0, gauge_->maximum()));
}

QString TransferProgressWindow::InfoText() const {
    return info_->text();
}

QString TransferProgressWindow::PortText() const {
    return port_->text();
}

int TransferProgressWindow::GaugePosition() const {
    return gauge_->value();
}

void TransferProgressWindow::PlaceOverParent() {
    QRect around;
    if (parentWidget() != nullptr && parentWidget()->window()->isVisible()) {
        around = parentWidget()->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        around = screen->availableGeometry();
    }
    if (around.isValid()) {
        move(around.center() - rect().center());
    }
}

} // namespace veld23
