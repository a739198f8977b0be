#include "ui/ComparisonBar.h"

#include "editors/TuningWorkflow.h"
#include "ui/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace veld23 {

ComparisonBar::ComparisonBar(TuningWorkflow& workflow, QWidget* parent)
    : QWidget(parent), workflow_(workflow) {
    setObjectName("comparisonBar");
    storeA_ = new QPushButton(tr("Store A"), this);
    storeA_->setObjectName("storeAButton");
    storeA_->setToolTip(tr("Keep the configuration as it is now in slot A and go on editing "
                           "it there"));
    storeB_ = new QPushButton(tr("Store B"), this);
    storeB_->setObjectName("storeBButton");
    storeB_->setToolTip(tr("Keep the configuration as it is now in slot B and go on editing "
                           "it there"));
    switch_ = new QPushButton(this);
    switch_->setObjectName("switchButton");
    switch_->setToolTip(tr("Change the whole configuration over to the other slot; edits made "
                           "since stay in the slot they were made in. Ctrl+Z switches back"));
    active_ = new QLabel(this);
    active_->setObjectName("activeSlot");
    active_->setToolTip(tr("The slot the configuration being edited belongs to"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(tr("A/B"), this));
    layout->addWidget(storeA_);
    layout->addWidget(storeB_);
    layout->addWidget(switch_);
    layout->addWidget(active_);

    connect(storeA_, &QPushButton::clicked, this, [this] {
        workflow_.Store(ComparisonSlot::A);
        Q_EMIT Stored();
    });
    connect(storeB_, &QPushButton::clicked, this, [this] {
        workflow_.Store(ComparisonSlot::B);
        Q_EMIT Stored();
    });
    connect(switch_, &QPushButton::clicked, this, [this] { workflow_.Switch(); });
    Refresh();
}

void ComparisonBar::Refresh() {
    switch_->setText(FromUtf8(workflow_.SwitchText()));
    switch_->setEnabled(workflow_.CanSwitch());
    const ComparisonSlot active = workflow_.Active();
    active_->setText(active == ComparisonSlot::A   ? tr("editing A")
                     : active == ComparisonSlot::B ? tr("editing B")
                                                   : QString());
}

} // namespace veld23
