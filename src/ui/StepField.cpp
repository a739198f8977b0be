#include "ui/StepField.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace veld23 {

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The arrow keys in the field do the same; the buttons are for the mouse.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return button;
}

} // namespace

StepField::StepField(Steps steps, QWidget* parent)
    : QWidget(parent), steps_(steps), edit_(new QLineEdit(this)) {
    edit_->setAlignment(Qt::AlignRight);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_, 1);
    if (steps == Steps::UpDown) {
        up_ = ArrowButton(Qt::UpArrow, "up", this);
        down_ = ArrowButton(Qt::DownArrow, "down", this);
        auto* arrows = new QVBoxLayout;
        arrows->setContentsMargins(0, 0, 0, 0);
        arrows->setSpacing(0);
        arrows->addWidget(up_);
        arrows->addWidget(down_);
        layout->addLayout(arrows);
        // Each half as tall as the field, so the pair stands beside it.
        const int half = edit_->sizeHint().height() / 2;
        up_->setFixedHeight(half);
        down_->setFixedHeight(half);
        up_->setFixedWidth(half + 6);
        down_->setFixedWidth(half + 6);
        connect(up_, &QToolButton::clicked, this,
                [this] { Q_EMIT Stepped(1, StepSource::Button); });
        connect(down_, &QToolButton::clicked, this,
                [this] { Q_EMIT Stepped(-1, StepSource::Button); });
    }
    connect(edit_, &QLineEdit::textEdited, this, &StepField::Edited);
    connect(edit_, &QLineEdit::returnPressed, this, &StepField::Entered);
}

void StepField::ShowText(const QString& text) {
    if (edit_->text() != text) {
        edit_->setText(text);
    }
}

void StepField::SetHint(const QString& hint) {
    edit_->setToolTip(hint);
    if (up_ != nullptr) {
        up_->setToolTip(hint);
        down_->setToolTip(hint);
    }
}

void StepField::SetCharacterWidth(int characters) {
    const QFontMetrics metrics = edit_->fontMetrics();
    edit_->setFixedWidth(metrics.horizontalAdvance(QString(characters, QLatin1Char('8'))) + 16);
}

bool StepField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::KeyPress && steps_ != Steps::None) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Q_EMIT Stepped(key == Qt::Key_Up ? 1 : -1, StepSource::Key);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                Q_EMIT Left();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace veld23
