#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;

namespace veld23 {

class TuningWorkflow;

// Where one undo step ends and the next begins, for every window at once: watching the
// application's input, it closes the step in progress whenever the user starts a new
// gesture, before that gesture does anything:
//  - a mouse press (so a drag or a slider dragged is one step from press to release);
//  - the keyboard moving to another control (Tab, Shift+Tab, a mnemonic);
//  - a key pressed anew, except typing into a text field, where only Enter, a key with
//    Ctrl or Alt, and leaving the field end the typing (so typing until Enter is one
//    step, and a key held down is one step however long it repeats).
// Inside a message box or a file dialog nothing is closed: those belong to the command
// that raised them. Ctrl+Z and its kin in a text field go to the program's undo: a field
// holds no value of its own to undo.
class StepBoundaryFilter : public QObject {
    Q_OBJECT

  public:
    // `passed` runs after each boundary (the Edit menu follows what can be undone).
    StepBoundaryFilter(TuningWorkflow& workflow, std::function<void()> passed,
                       QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Boundary();
    static bool TypingInto(const QObject* watched, const QKeyEvent& key);

    TuningWorkflow& workflow_;
    std::function<void()> passed_;
};

} // namespace veld23
