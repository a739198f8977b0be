#include "ui/TopologyChooserWindow.h"

#include "ui/DarkTheme.h"
#include "ui/IndicatorLamp.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace veld23 {

TopologyChooserWindow::TopologyChooserWindow(TopologyCommand command, QWidget* parent)
    : QWidget(parent, Qt::Window), command_(std::move(command)), twoLamp_(new IndicatorLamp(this)),
      threeLamp_(new IndicatorLamp(this)) {
    setWindowTitle("VELD23");
    auto* heading = new QLabel(kHeading, this);
    MakeHeading(*heading);
    heading->setAlignment(Qt::AlignCenter);
    auto* prompt = new QLabel(kPrompt, this);
    prompt->setAlignment(Qt::AlignCenter);

    auto* two = new QPushButton(kTwoWaysCaption, this);
    auto* three = new QPushButton(kThreeWaysCaption, this);
    two->setObjectName("TwoWays");
    three->setObjectName("ThreeWays");
    for (QPushButton* button : {two, three}) {
        button->setMinimumHeight(36);
        button->setAutoDefault(false);
    }
    connect(two, &QPushButton::clicked, this, [this] { ChooseTwoWays(); });
    connect(three, &QPushButton::clicked, this, [this] { ChooseThreeWays(); });
    connect(twoLamp_, &IndicatorLamp::Clicked, this, [this] { ChooseTwoWays(); });
    connect(threeLamp_, &IndicatorLamp::Clicked, this, [this] { ChooseThreeWays(); });

    auto* choices = new QGridLayout;
    choices->setHorizontalSpacing(10);
    choices->setVerticalSpacing(10);
    choices->addWidget(twoLamp_, 0, 0);
    choices->addWidget(two, 0, 1);
    choices->addWidget(threeLamp_, 1, 0);
    choices->addWidget(three, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 20);
    layout->setSpacing(14);
    layout->addWidget(heading);
    layout->addWidget(prompt);
    layout->addLayout(choices);
}

bool TopologyChooserWindow::LampLit(OutputTopology topology) const {
    return Lamp(topology)->Lit();
}

IndicatorLamp* TopologyChooserWindow::Lamp(OutputTopology topology) const {
    return topology == OutputTopology::TwoOutputs ? twoLamp_ : threeLamp_;
}

void TopologyChooserWindow::Choose(OutputTopology topology) {
    Lamp(topology)->SetLit(true);
    // The chooser is done once a topology is picked; it closes before the windows rearrange.
    hide();
    if (command_) {
        command_(topology);
    }
    twoLamp_->SetLit(false);
    threeLamp_->SetLit(false);
}

void TopologyChooserWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activation_ && !event->spontaneous()) {
        activation_();
    }
}

} // namespace veld23
