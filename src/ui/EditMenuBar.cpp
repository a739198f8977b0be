#include "ui/EditMenuBar.h"

#include "editors/TuningWorkflow.h"
#include "ui/QtText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace veld23 {

EditMenuBar::EditMenuBar(TuningWorkflow& workflow, QWidget* parent)
    : QMenuBar(parent), workflow_(workflow) {
    setObjectName("editMenuBar");
    // Inside the window on every desktop, so the window looks the same everywhere.
    setNativeMenuBar(false);
    QMenu* edit = addMenu(tr("&Edit"));
    edit->setObjectName("editMenu");
    undo_ = edit->addAction(tr("Undo"));
    undo_->setObjectName("undoAction");
    undo_->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
    redo_ = edit->addAction(tr("Redo"));
    redo_->setObjectName("redoAction");
    redo_->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z),
                         QKeySequence(Qt::ControlModifier | Qt::Key_Y)});
    for (QAction* action : {undo_, redo_}) {
        // The editor windows are windows of their own; the keys work in them too.
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    connect(undo_, &QAction::triggered, this, [this] { workflow_.Undo(); });
    connect(redo_, &QAction::triggered, this, [this] { workflow_.Redo(); });
    // Opening the menu ends the step in progress, so the menu names it.
    connect(edit, &QMenu::aboutToShow, this, [this] {
        workflow_.CloseStep();
        Refresh();
    });
    Refresh();
}

void EditMenuBar::Refresh() {
    undo_->setText(QLatin1Char('&') + FromUtf8(workflow_.UndoText()));
    undo_->setEnabled(workflow_.CanUndo());
    redo_->setText(QLatin1Char('&') + FromUtf8(workflow_.RedoText()));
    redo_->setEnabled(workflow_.CanRedo());
}

} // namespace veld23
