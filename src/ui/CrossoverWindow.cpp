#include "ui/CrossoverWindow.h"

#include "editors/CrossoverController.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/ChannelSelectors.h"
#include "ui/DarkTheme.h"
#include "ui/QtText.h"
#include "ui/ResponsePlotPanel.h"
#include "ui/StepField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

constexpr QSize kStartSize(1040, 600);
constexpr std::array<XoverSide, 2> kSides{XoverSide::HighPass, XoverSide::LowPass};

QString FromView(std::string_view text) {
    return FromWindows1252(text);
}

} // namespace

CrossoverWindow::CrossoverWindow(CrossoverController& controller, QWidget* anchor,
                                 RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(FromView(CrossoverController::kWindowCaption), anchor, std::move(realTime),
                        parent),
      controller_(controller) {
    setObjectName("crossoverWindow");
    selectors_ = new ChannelSelectors(CrossoverController::kOutputs, tr("crossover"), this);
    controls_ = new QVBoxLayout;
    auto* controls = controls_;
    controls->setSpacing(12);
    controls->addWidget(selectors_);
    controls->addWidget(BuildColumns());
    // Made after the controls, so the keyboard reaches it after them.
    plotPanel_ = new ResponsePlotPanel(controller_.Plot(), this);
    controls->addStretch(1);
    controls->addWidget(RealTimeButton(), 0, Qt::AlignLeft);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(14);
    layout->addLayout(controls, 0);
    layout->addWidget(plotPanel_, 1);

    connect(selectors_, &ChannelSelectors::ModifyChosen, this,
            [this](int output) { Run([this, output] { controller_.ChooseOutput(output); }); });
    connect(selectors_, &ChannelSelectors::ShowToggled, this,
            [this](int output) { Run([this, output] { controller_.ToggleCurve(output); }); });
    connect(plotPanel_, &ResponsePlotPanel::ViewChosen, this, [this](ResponseView view) {
        Run([this, view] {
            view == ResponseView::Magnitude ? controller_.ShowMagnitude() : controller_.ShowPhase();
        });
    });
    for (XoverSide side : kSides) {
        BindColumn(side);
    }
    resize(kStartSize);
    Refresh();
}

QWidget* CrossoverWindow::BuildColumns() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);

    columnsCaption_ = new QLabel(box);
    columnsCaption_->setObjectName("columnsCaption");
    MakeHeading(*columnsCaption_);
    grid->addWidget(columnsCaption_, 0, 0, 1, 3);

    auto* frequencyCaption = new QLabel(tr("Frequency"), box);
    auto* familyCaption = new QLabel(tr("Famil&y"), box);
    auto* orderCaption = new QLabel(tr("&Order"), box);
    grid->addWidget(frequencyCaption, 2, 0);
    grid->addWidget(familyCaption, 3, 0);
    grid->addWidget(orderCaption, 4, 0);

    // The controls are made row by row, L before H, so the keyboard meets them in
    // reading order.
    const auto half = [](XoverSide side) {
        return side == XoverSide::HighPass ? tr("high-pass") : tr("low-pass");
    };
    const auto name = [](const char* control, XoverSide side) {
        return QLatin1String(control) + (side == XoverSide::HighPass ? "L" : "H");
    };
    const auto at = [](XoverSide side) { return side == XoverSide::HighPass ? 1 : 2; };
    for (XoverSide side : kSides) {
        Column& column = columns_[Index(side)];
        column.caption =
            new QLabel(side == XoverSide::HighPass ? tr("&L  high-pass") : tr("&H  low-pass"), box);
        grid->addWidget(column.caption, 1, at(side));
    }
    for (XoverSide side : kSides) {
        Column& column = columns_[Index(side)];
        column.frequency = new StepField(StepField::Steps::UpDown, box);
        column.frequency->setObjectName(name("frequency", side));
        column.frequency->SetCharacterWidth(5);
        column.frequency->SetHint(
            tr("Corner frequency of the %1 half, 20 to 20000 Hz; Up and Down step 1 Hz")
                .arg(half(side)));
        column.caption->setBuddy(column.frequency);
        grid->addWidget(column.frequency, 2, at(side));
    }
    for (XoverSide side : kSides) {
        Column& column = columns_[Index(side)];
        column.family = new QComboBox(box);
        column.family->setObjectName(name("family", side));
        for (const char* caption : kFamilyListCaptions) {
            column.family->addItem(QString::fromLatin1(caption));
        }
        column.family->setToolTip(
            tr("Filter family of the %1 half: ByPass, Butterworth, Linkwitz-Riley or Bessel")
                .arg(half(side)));
        grid->addWidget(column.family, 3, at(side));
    }
    for (XoverSide side : kSides) {
        Column& column = columns_[Index(side)];
        column.order = new StepField(StepField::Steps::UpDown, box);
        column.order->setObjectName(name("order", side));
        column.order->Edit()->setReadOnly(true);
        column.order->SetCharacterWidth(2);
        column.order->SetHint(tr("Order of the %1 half: 2 while both halves are in use, up to 4 "
                                 "when its solo button is on; Up and Down step by 2")
                                  .arg(half(side)));
        grid->addWidget(column.order, 4, at(side), Qt::AlignLeft);
    }
    for (XoverSide side : kSides) {
        Column& column = columns_[Index(side)];
        column.solo = new QPushButton(FromView(CrossoverController::kSoloCaption), box);
        column.solo->setObjectName(name("solo", side));
        column.solo->setCheckable(true);
        column.solo->setToolTip(side == XoverSide::HighPass
                                    ? tr("Solo L: the high-pass half alone uses both section "
                                         "slots of the output; column H is held at ByPass")
                                    : tr("Solo H: the low-pass half alone uses both section "
                                         "slots of the output; column L is held at ByPass"));
        grid->addWidget(column.solo, 5, at(side), Qt::AlignLeft);
    }
    familyCaption->setBuddy(columns_[0].family);
    orderCaption->setBuddy(columns_[0].order);
    grid->addWidget(new QLabel(tr("Hz"), box), 2, 3);
    return box;
}

void CrossoverWindow::BindColumn(XoverSide side) {
    const Column& column = columns_[Index(side)];
    connect(column.frequency, &StepField::Edited, this, [this, side](const QString& text) {
        Run([this, side, &text] { controller_.SetFrequencyText(side, ToUtf8(text)); });
    });
    for (auto signal : {&StepField::Entered, &StepField::Left}) {
        connect(column.frequency, signal, this,
                [this, side] { Run([this, side] { controller_.FrequencyEnter(side); }); });
    }
    connect(column.frequency, &StepField::Stepped, this, [this, side](int direction) {
        Run([this, side, direction] {
            direction > 0 ? controller_.FrequencyUp(side) : controller_.FrequencyDown(side);
        });
    });
    connect(column.family, &QComboBox::activated, this, [this, side](int index) {
        Run([this, side, index] { controller_.ChooseFamily(side, index); });
    });
    connect(column.order, &StepField::Stepped, this, [this, side](int direction) {
        Run([this, side, direction] {
            direction > 0 ? controller_.OrderUp(side) : controller_.OrderDown(side);
        });
    });
    connect(column.solo, &QPushButton::clicked, this,
            [this, side] { Run([this, side] { controller_.ToggleSolo(side); }); });
}

template <typename Action> void CrossoverWindow::Run(Action action) {
    if (refilling_) {
        return;
    }
    action();
    Refresh();
}

void CrossoverWindow::Open(int output) {
    controller_.Show(output);
    Refresh();
}

void CrossoverWindow::showEvent(QShowEvent* event) {
    Refresh();
    EditorWindowFrame::showEvent(event);
}

void CrossoverWindow::AddCopyButtons(ChannelCopyButtons* buttons) {
    copyButtons_ = buttons;
    controls_->insertWidget(1, buttons);
    // In reading order: after the selectors, before the block's controls.
    setTabOrder(selectors_->ShowBox(CrossoverController::kOutputs), buttons->Button(0));
    setTabOrder(buttons->Button(0), buttons->Button(1));
    Refresh();
}

void CrossoverWindow::Refresh() {
    refilling_ = true;
    if (copyButtons_ != nullptr) {
        copyButtons_->Refresh();
    }
    for (int output = 1; output <= CrossoverController::kOutputs; ++output) {
        selectors_->ShowChannel(output, {FromView(controller_.SelectorLabel(output)),
                                         controller_.OutputOffered(output),
                                         controller_.CurveShown(output)});
    }
    selectors_->ShowCurrent(controller_.CurrentOutput());
    columnsCaption_->setText(FromUtf8(controller_.ColumnCaption()));
    for (XoverSide side : kSides) {
        const CrossoverColumn& state = controller_.Column(side);
        const Column& column = columns_[Index(side)];
        column.frequency->ShowText(FromUtf8(state.FrequencyText()));
        {
            const QSignalBlocker block(column.family);
            column.family->setCurrentIndex(state.FamilyIndex());
        }
        column.order->ShowText(QString::number(state.Order()));
        {
            const QSignalBlocker block(column.solo);
            column.solo->setChecked(controller_.SoloLit(side));
        }
        for (QWidget* control :
             {static_cast<QWidget*>(column.frequency), static_cast<QWidget*>(column.family),
              static_cast<QWidget*>(column.order)}) {
            control->setEnabled(state.Enabled());
        }
    }
    plotPanel_->ShowView(controller_.View());
    RefreshRealTime();
    refilling_ = false;
}

} // namespace veld23
