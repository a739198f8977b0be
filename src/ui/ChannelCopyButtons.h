#pragma once

#include "editors/ChannelCopy.h"

#include <QWidget>

class QPushButton;

namespace veld23 {

class ProcessorConfiguration;
class TuningWorkflow;

// An editor window's two copy buttons for its block: "Copy PEQ 1 → PEQ 2" and back, or
// "Copy OUT 1 → OUT 2" and back (OUT 2 being the channel the topology makes it). Each copy
// is one undo step. Where the topology leaves nothing to copy (the dynamics of OUT 1 and
// OUT 2 share a record with three outputs) the buttons are disabled and say why.
class ChannelCopyButtons : public QWidget {
    Q_OBJECT

  public:
    ChannelCopyButtons(TuningWorkflow& workflow, const ProcessorConfiguration& config,
                       CopyBlock block, QWidget* parent = nullptr);

    // 0: first channel to second, 1: back.
    QPushButton* Button(int direction) const { return buttons_[direction == 1 ? 1 : 0]; }
    // Captions and enabled state for the topology now.
    void Refresh();

  private:
    void Copy(int direction);

    TuningWorkflow& workflow_;
    const ProcessorConfiguration& config_;
    CopyBlock block_;
    QPushButton* buttons_[2] = {};
};

} // namespace veld23
