#include "ui/StepField.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace veld23 {

namespace {

QToolButton* StepButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The keys do the same, so the buttons stay out of the tab chain.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    return button;
}

} // namespace

StepField::StepField(Typing typing, Buttons buttons, QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit_->setReadOnly(typing == Typing::Off);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    // As wide as its text: the step buttons stay beside the text in a wide column.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    SetCharacters(6);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_);
    if (buttons == Buttons::Step) {
        up_ = StepButton(Qt::UpArrow, this);
        down_ = StepButton(Qt::DownArrow, this);
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        column->addWidget(up_);
        column->addWidget(down_);
        layout->addLayout(column);
        connect(up_, &QToolButton::clicked, this, &StepField::StepUp);
        connect(down_, &QToolButton::clicked, this, &StepField::StepDown);
    }
    connect(edit_, &QLineEdit::textEdited, this, &StepField::Typed);
    connect(edit_, &QLineEdit::editingFinished, this, [this] {
        if (edit_->isReadOnly()) {
            return;
        }
        // Taken: the refill that follows may show the controller's text again.
        edit_->setModified(false);
        emit Taken(edit_->text());
    });
}

void StepField::ShowText(const QString& text) {
    if (edit_->hasFocus() && edit_->isModified()) {
        return;
    }
    if (edit_->text() != text) {
        const QSignalBlocker blocker(edit_);
        edit_->setText(text);
    }
}

void StepField::SetCharacters(int characters) {
    const QFontMetrics metrics = edit_->fontMetrics();
    edit_->setMinimumWidth(metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + 14);
    edit_->setMaximumWidth(edit_->minimumWidth() + metrics.averageCharWidth() * 2);
}

void StepField::setToolTip(const QString& tip) {
    QWidget::setToolTip(tip);
    edit_->setToolTip(tip);
}

bool StepField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            // A step starts from what was typed; the controller has it already.
            edit_->setModified(false);
            if (key == Qt::Key_Up) {
                emit ArrowUp();
            } else {
                emit ArrowDown();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace veld23
