#include "ui/StepBoundaryFilter.h"

#include "editors/TuningWorkflow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <utility>

namespace veld23 {

namespace {

bool IsMultiLineText(const QObject* object) {
    return qobject_cast<const QTextEdit*>(object) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(object) != nullptr;
}

bool IsText(const QObject* object) {
    return qobject_cast<const QLineEdit*>(object) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(object) != nullptr || IsMultiLineText(object);
}

bool IsHistoryKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key.keyCombination() ==
               QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

} // namespace

StepBoundaryFilter::StepBoundaryFilter(TuningWorkflow& workflow, std::function<void()> passed,
                                       QObject* parent)
    : QObject(parent), workflow_(workflow), passed_(std::move(passed)) {}

bool StepBoundaryFilter::TypingInto(const QObject* watched, const QKeyEvent& key) {
    if (!IsText(watched) || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return IsMultiLineText(watched);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false;
    default:
        return true;
    }
}

void StepBoundaryFilter::Boundary() {
    // A command waiting for an answer in a dialog is in the middle of what it does.
    if (qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr) {
        return;
    }
    workflow_.CloseStep();
    if (passed_) {
        passed_();
    }
}

bool StepBoundaryFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Boundary();
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason) {
            Boundary();
        }
        break;
    }
    // A key press reaches the shortcuts before the focused control, so both count.
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (!key.isAutoRepeat() && !TypingInto(watched, key)) {
            Boundary();
        }
        if (event->type() == QEvent::ShortcutOverride && IsText(watched) && IsHistoryKey(key)) {
            event->ignore();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veld23
