#include "ui/ChannelCopyButtons.h"

#include "config/ProcessorConfiguration.h"
#include "editors/TuningWorkflow.h"
#include "ui/QtText.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace veld23 {

ChannelCopyButtons::ChannelCopyButtons(TuningWorkflow& workflow,
                                       const ProcessorConfiguration& config, CopyBlock block,
                                       QWidget* parent)
    : QWidget(parent), workflow_(workflow), config_(config), block_(block) {
    setObjectName("copyButtons");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (int direction = 0; direction < 2; ++direction) {
        auto* button = new QPushButton(this);
        button->setObjectName(direction == 0 ? "copyForward" : "copyBack");
        connect(button, &QPushButton::clicked, this, [this, direction] { Copy(direction); });
        layout->addWidget(button);
        buttons_[direction] = button;
    }
    layout->addStretch(1);
    Refresh();
}

void ChannelCopyButtons::Copy(int direction) {
    if (const auto pair = WindowCopyPair(block_, config_.Topology)) {
        const auto [first, second] = *pair;
        workflow_.Copy(block_, direction == 0 ? first : second, direction == 0 ? second : first);
    }
}

void ChannelCopyButtons::Refresh() {
    const auto pair = WindowCopyPair(block_, config_.Topology);
    for (int direction = 0; direction < 2; ++direction) {
        QPushButton* button = buttons_[direction];
        button->setEnabled(pair.has_value());
        if (!pair) {
            button->setText(direction == 0 ? tr("Copy OUT 1 \u2192 OUT 2")
                                           : tr("Copy OUT 2 \u2192 OUT 1"));
            button->setToolTip(tr("With three outputs OUT 1 and OUT 2 share one dynamics "
                                  "record: there is nothing to copy between them"));
            continue;
        }
        const int from = direction == 0 ? pair->first : pair->second;
        const int to = direction == 0 ? pair->second : pair->first;
        const QString source = FromUtf8(CopyChannelName(block_, from, config_.Topology));
        const QString target = FromUtf8(CopyChannelName(block_, to, config_.Topology));
        button->setText(tr("Copy %1 \u2192 %2").arg(source, target));
        button->setToolTip(tr("Make %2's settings of this block what %1's are (one step, "
                              "Ctrl+Z takes it back)")
                               .arg(source, target));
    }
}

} // namespace veld23
