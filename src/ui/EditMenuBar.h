#pragma once

#include <QMenuBar>

class QAction;

namespace veld23 {

class TuningWorkflow;

// The main window's menu bar with the Edit menu: Undo and Redo, each naming its step
// ("Undo PEQ 1 band 3 frequency"). Their keys (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y) work in
// every window of the program. What they undo is decided by the workflow; the menu only
// forwards and shows.
class EditMenuBar : public QMenuBar {
    Q_OBJECT

  public:
    explicit EditMenuBar(TuningWorkflow& workflow, QWidget* parent = nullptr);

    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }
    // Texts and enabled state from the workflow.
    void Refresh();

  private:
    TuningWorkflow& workflow_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};

} // namespace veld23
