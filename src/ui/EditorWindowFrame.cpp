#include "ui/EditorWindowFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace veld23 {

namespace {

// Room between the main window and an editor beside it.
constexpr int kGap = 8;

} // namespace

EditorWindowFrame::EditorWindowFrame(const QString& title, QWidget* anchor, RealTimeToggle realTime,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), anchor_(anchor), realTime_(std::move(realTime)) {
    setWindowTitle(title);
    realTimeButton_ = new QPushButton(tr("&Real Time"), this);
    realTimeButton_->setObjectName("realTimeButton");
    realTimeButton_->setCheckable(true);
    realTimeButton_->setToolTip(
        tr("Real Time: every edit is sent to the processor's running memory at once"));
    connect(realTimeButton_, &QPushButton::clicked, this, [this] {
        if (realTime_.click) {
            realTime_.click();
        }
        RefreshRealTime();
    });
}

void EditorWindowFrame::RefreshRealTime() {
    const bool on = realTime_.isOn && realTime_.isOn();
    if (realTimeButton_->isChecked() != on) {
        realTimeButton_->setChecked(on);
    }
}

void EditorWindowFrame::showEvent(QShowEvent* event) {
    RefreshRealTime();
    if (!placed_) {
        placed_ = true;
        PlaceBesideAnchor();
    }
    QWidget::showEvent(event);
}

void EditorWindowFrame::PlaceBesideAnchor() {
    QScreen* screen = anchor_ ? anchor_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    // A window larger than the screen could not be moved back into view.
    resize(std::min(width(), area.width()), std::min(height(), area.height()));
    QPoint at = area.topLeft();
    if (anchor_ && anchor_->isVisible()) {
        const QRect main = anchor_->frameGeometry();
        const bool fitsRight = main.right() + kGap + width() <= area.right();
        const bool fitsLeft = main.left() - kGap - width() >= area.left();
        at = fitsRight  ? QPoint(main.right() + kGap, main.top())
             : fitsLeft ? QPoint(main.left() - kGap - width(), main.top())
                        : QPoint(main.left() + 3 * kGap, main.top() + 3 * kGap);
    }
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    move(at);
}

void EditorWindowFrame::closeEvent(QCloseEvent* event) {
    // Made once for the run: closing only hides it.
    event->ignore();
    hide();
}

void EditorWindowFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace veld23
