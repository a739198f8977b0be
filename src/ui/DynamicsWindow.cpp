#include "ui/DynamicsWindow.h"

#include "dsp/DynamicsLimits.h"
#include "editors/DynamicsController.h"
#include "plot/PlotModel.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/DynamicsPowerPanel.h"
#include "ui/DynamicsSliderColumn.h"
#include "ui/LitButton.h"
#include "ui/PositionSlider.h"
#include "ui/QtText.h"
#include "ui/ResponsePlotWidget.h"
#include "ui/StepField.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace veld23 {

namespace {

const QColor kSelectorLit(QRgb{0x00C8E8});
const QColor kTypeLit(QRgb{0x30D050});
const QColor kBypassLit(QRgb{0xF0A030});
const char* const kGateItems[] = {"Bypass", "1 (Low Noise)", "2", "3", "4", "5",
                                  "6",      "7 (High Noise)"};

// The program's caption with an Alt key: '&' before the first `key`.
QString WithMnemonic(QString text, QChar key) {
    const qsizetype at = text.indexOf(key);
    if (at >= 0) {
        text.insert(at, QLatin1Char('&'));
    }
    return text;
}

QString SelectorText(const DynamicsController& dynamics, int record) {
    const QString caption = FromUtf8(dynamics.SelectorCaption(record));
    if (record == 1) {
        return WithMnemonic(caption, QLatin1Char('1'));
    }
    return WithMnemonic(caption, caption.contains(QLatin1String("SUB")) ? QLatin1Char('S')
                                                                        : QLatin1Char('2'));
}

} // namespace

DynamicsWindow::DynamicsWindow(DynamicsController& dynamics, QWidget* anchor,
                               RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(FromWindows1252(DynamicsController::kWindowCaption), anchor,
                        std::move(realTime), parent),
      dynamics_(dynamics) {
    setObjectName("dynamicsWindow");
    top_ = new QHBoxLayout;
    auto* top = top_;
    for (int record = 1; record <= 2; ++record) {
        auto* selector = new LitButton(QString(), kSelectorLit, this);
        selector->setObjectName(QStringLiteral("recordSelector%1").arg(record));
        selector->setToolTip(tr("Shows and edits this dynamics record"));
        connect(selector, &LitButton::clicked, this, [this, record] { SelectRecord(record); });
        selectors_[static_cast<std::size_t>(record - 1)] = selector;
        top->addWidget(selector);
    }
    top->addStretch(1);
    top->addWidget(RealTimeButton());

    auto* controls = new QVBoxLayout;
    controls->addWidget(BuildSliders());
    controls->addWidget(BuildFields());
    controls->addWidget(BuildAdvanced());
    controls->addStretch(1);

    plot_ = new ResponsePlotWidget(this);
    plot_->setObjectName("dynamicsPlot");
    plot_->SetModel(&dynamics_.Plot());
    plot_->setToolTip(tr("Output level against input level in dBu; the straight line is 1:1"));
    // "Value at Mouse Position" under the plot, one line high whether or not it speaks.
    auto* readout = new QLabel(this);
    readout->setObjectName("plotReadout");
    readout->setToolTip(FromWindows1252(PlotModel::kReadoutHint));
    readout->setMinimumHeight(readout->fontMetrics().height());
    connect(plot_, &ResponsePlotWidget::ReadoutChanged, readout, &QLabel::setText);
    power_ = new DynamicsPowerPanel(this);
    connect(power_, &DynamicsPowerPanel::SpeakerRequested, this, &DynamicsWindow::SpeakerRequested);
    auto* view = new QVBoxLayout;
    view->addWidget(plot_, 1);
    view->addWidget(readout);
    view->addWidget(power_);

    auto* body = new QHBoxLayout;
    body->addLayout(controls);
    body->addLayout(view, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    Refresh();
}

QWidget* DynamicsWindow::BuildSliders() {
    auto* panel = new QWidget(this);
    threshold_ = SliderColumn::Make(
        QString(), FromWindows1252(DynamicsController::kThresholdTopLabel),
        FromWindows1252(DynamicsController::kThresholdBottomLabel), dynamics::kThresholdPositionMax,
        tr("Threshold, or limit for the limiter: +18.0 to -32.5 dBu in 0.5 dB steps"), panel);
    threshold_.unit->setText(FromWindows1252(DynamicsController::kThresholdUnit));
    ratio_ = SliderColumn::Make(tr("Rati&o"), FromWindows1252(DynamicsController::kRatioTopLabel),
                                FromWindows1252(DynamicsController::kRatioBottomLabel),
                                dynamics::kRatioPositionMax,
                                tr("Compression ratio, 10:1 to 1:1 (compressor only)"), panel);
    knee_ = SliderColumn::Make(tr("&Knee"), tr("10 dB"), tr("-0.5 dB"), dynamics::kKneePositionMax,
                               tr("Knee width: 10.0 to -0.5 dB in 0.5 dB steps"), panel);
    knee_.unit->setText(tr("dB"));
    threshold_.slider->setObjectName("thresholdSlider");
    ratio_.slider->setObjectName("ratioSlider");
    knee_.slider->setObjectName("kneeSlider");

    const std::pair<SliderColumn*, void (DynamicsController::*)(int)> sliders[] = {
        {&threshold_, &DynamicsController::SetThresholdPosition},
        {&ratio_, &DynamicsController::SetRatioPosition},
        {&knee_, &DynamicsController::SetKneePosition}};
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    int at = 0;
    for (const auto& [column, set] : sliders) {
        column->AddTo(grid, at);
        at += 2;
        // Plain values into the inner action: see the equaliser window's controls.
        connect(column->slider, &PositionSlider::Moved, this, [this, set = set](int position) {
            Run([dynamics = &dynamics_, set, position] { (dynamics->*set)(position); });
        });
    }
    grid->setRowStretch(2, 1);

    limiter_ = new LitButton(tr("L&imiter"), kTypeLit, panel);
    limiter_->setObjectName("limiterButton");
    limiter_->setToolTip(tr("Limiter: nothing passes above the limit"));
    compressor_ = new LitButton(tr("&Compressor"), kTypeLit, panel);
    compressor_->setObjectName("compressorButton");
    compressor_->setToolTip(tr("Compressor: above the threshold the level rises by the ratio"));
    connect(limiter_, &LitButton::clicked, this,
            [this] { Run([&] { dynamics_.ChooseLimiter(); }); });
    connect(compressor_, &LitButton::clicked, this,
            [this] { Run([&] { dynamics_.ChooseCompressor(); }); });
    auto* types = new QHBoxLayout;
    types->addWidget(limiter_);
    types->addWidget(compressor_);
    grid->addLayout(types, 5, 0, 1, at);
    return panel;
}

StepField* DynamicsWindow::AddTimeField(DynamicsTimeField field, const QString& caption,
                                        const QString& unit, const QString& tip, QWidget* parent,
                                        QGridLayout* grid, int row) {
    auto* edit = new StepField(StepField::Steps::UpDown, parent);
    edit->SetCharacterWidth(5);
    // Its arrows stay beside the text when the column is wider than the field.
    edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    edit->SetHint(tip);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(unit, parent), row, 2);
    timeFields_[static_cast<std::size_t>(field)] = edit;
    connect(edit, &StepField::Edited, this,
            [this, field](const QString& text) { dynamics_.SetTimeText(field, ToUtf8(text)); });
    for (auto taken : {&StepField::Entered, &StepField::Left}) {
        connect(edit, taken, this, [this, field] { Run([&] { dynamics_.TakeTime(field); }); });
    }
    // The keys step finer than the buttons (the hold time by 0.1 ms against 1 ms).
    connect(edit, &StepField::Stepped, this,
            [this, field](int direction, StepField::StepSource source) {
                Run([&] {
                    dynamics_.StepTime(field,
                                       source == StepField::StepSource::Key
                                           ? DynamicsTimeStep::Arrow
                                           : DynamicsTimeStep::Button,
                                       direction);
                });
            });
    return edit;
}

QWidget* DynamicsWindow::BuildFields() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    gate_ = new QComboBox(panel);
    gate_->setObjectName("noiseGateList");
    for (const char* item : kGateItems) {
        gate_->addItem(QString::fromLatin1(item));
    }
    gate_->setToolTip(tr("Noise gate: Bypass, or levels 1 (low noise) to 7 (high noise)"));
    auto* gateLabel = new QLabel(tr("&Noise Gate"), panel);
    gateLabel->setBuddy(gate_);
    grid->addWidget(gateLabel, 0, 0);
    grid->addWidget(gate_, 0, 1, 1, 2);
    connect(gate_, &QComboBox::activated, this,
            [this](int item) { Run([&] { dynamics_.SelectGateItem(item); }); });

    AddTimeField(DynamicsTimeField::Attack, tr("&Attack"), tr("dB/s"),
                 tr("Attack, 5 to 250 dB/s in steps of 1"), panel, grid, 1);
    AddTimeField(DynamicsTimeField::Hold, tr("&Hold Time"), tr("ms"),
                 tr("Hold time, 0 to 80 ms: step buttons 1 ms, Up and Down 0.1 ms"), panel, grid,
                 2);
    AddTimeField(DynamicsTimeField::Release, tr("R&elease"), tr("dB/s"),
                 tr("Release, 1 to 80 dB/s in steps of 1"), panel, grid, 3);
    grid->setColumnStretch(3, 1);
    return panel;
}

QWidget* DynamicsWindow::BuildAdvanced() {
    auto* panel = new QWidget(this);
    advanced_ = new QToolButton(panel);
    advanced_->setObjectName("advancedButton");
    advanced_->setText(tr("Ad&vanced"));
    advanced_->setCheckable(true);
    advanced_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    advanced_->setAutoRaise(true);
    advanced_->setToolTip(tr("Look-ahead delay, the noise gate's table index and ramp, bypass"));
    advancedPanel_ = new QWidget(panel);
    advancedPanel_->setObjectName("advancedPanel");
    auto* grid = new QGridLayout(advancedPanel_);
    grid->setContentsMargins(12, 0, 0, 0);
    AddTimeField(DynamicsTimeField::LookAhead, tr("LookAhead &Delay"), tr("ms"),
                 tr("Look-ahead delay of OUT 1 and OUT 2, 0.00 to 2.00 ms in 0.04 ms steps; the "
                    "output delays allow for it"),
                 advancedPanel_, grid, 0);

    gateIndex_ = new StepField(StepField::Steps::None, advancedPanel_);
    gateIndex_->setObjectName("gateIndexField");
    gateIndex_->SetCharacterWidth(3);
    gateIndex_->SetHint(tr("Noise gate table index, 1 to 33 (1: no gate); Enter applies the "
                           "index and the ramp"));
    ramp_ = new StepField(StepField::Steps::None, advancedPanel_);
    ramp_->setObjectName("rampField");
    ramp_->SetCharacterWidth(3);
    ramp_->SetHint(tr("Noise gate ramp, 1 to 10 table points; Enter applies the index and "
                      "the ramp"));
    auto* gateLabel = new QLabel(tr("Gate &Umbral"), advancedPanel_);
    gateLabel->setBuddy(gateIndex_);
    auto* rampLabel = new QLabel(tr("Ra&mpa"), advancedPanel_);
    rampLabel->setBuddy(ramp_);
    auto* gateRow = new QHBoxLayout;
    gateRow->addWidget(gateIndex_);
    gateRow->addWidget(rampLabel);
    gateRow->addWidget(ramp_);
    gateRow->addStretch(1);
    grid->addWidget(gateLabel, 1, 0);
    grid->addLayout(gateRow, 1, 1, 1, 2);
    connect(gateIndex_, &StepField::Edited, this,
            [this](const QString& text) { dynamics_.SetGateIndexText(ToUtf8(text)); });
    connect(ramp_, &StepField::Edited, this,
            [this](const QString& text) { dynamics_.SetRampText(ToUtf8(text)); });
    for (StepField* field : {gateIndex_, ramp_}) {
        for (auto taken : {&StepField::Entered, &StepField::Left}) {
            connect(field, taken, this, [this] { Run([&] { dynamics_.ApplyGateFields(); }); });
        }
    }

    bypass_ = new LitButton(tr("&Bypass"), kBypassLit, advancedPanel_);
    bypass_->setObjectName("bypassButton");
    bypass_->setToolTip(tr("Bypass: the record passes the signal unchanged (lit = bypassed)"));
    grid->addWidget(bypass_, 2, 0, Qt::AlignLeft);
    connect(bypass_, &LitButton::clicked, this,
            [this] { Run([&] { dynamics_.SetBypass(!dynamics_.Bypassed()); }); });

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(advanced_, 0, Qt::AlignLeft);
    layout->addWidget(advancedPanel_);
    connect(advanced_, &QToolButton::toggled, this, &DynamicsWindow::ShowAdvanced);
    ShowAdvanced(false);
    return panel;
}

void DynamicsWindow::ShowAdvanced(bool shown) {
    advanced_->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
    advancedPanel_->setVisible(shown);
    if (shown && isVisible()) {
        // Grows to hold the panel rather than squeezing the sliders.
        layout()->activate();
        resize(size().expandedTo(sizeHint()));
    }
}

void DynamicsWindow::SelectRecord(int record) {
    Run([&] { dynamics_.SelectRecord(record); });
    Q_EMIT RecordSelected(record);
}

void DynamicsWindow::OpenOnChannel(char digit) {
    SelectRecord(digit == '5' ? 2 : 1);
}

void DynamicsWindow::Run(const std::function<void()>& step) {
    step();
    Refresh();
    Q_EMIT Edited();
}

void DynamicsWindow::AddCopyButtons(ChannelCopyButtons* buttons) {
    copyButtons_ = buttons;
    // Before the stretch and the Real Time switch, which end the row.
    top_->insertWidget(top_->count() - 2, buttons);
    setTabOrder(Selector(2), buttons->Button(0));
    setTabOrder(buttons->Button(0), buttons->Button(1));
    setTabOrder(buttons->Button(1), RealTimeButton());
    Refresh();
}

void DynamicsWindow::Refresh() {
    if (copyButtons_ != nullptr) {
        copyButtons_->Refresh();
    }
    const DynamicsController& d = dynamics_;
    for (int record = 1; record <= 2; ++record) {
        Selector(record)->setText(SelectorText(d, record));
        Selector(record)->SetLit(d.SelectorLit(record));
    }
    threshold_.caption->setText(WithMnemonic(FromWindows1252(d.ThresholdCaption()),
                                             d.LimiterLit() ? QLatin1Char('L') : QLatin1Char('T')));
    const std::pair<const SliderColumn*, int> positions[] = {{&threshold_, d.ThresholdPosition()},
                                                             {&ratio_, d.RatioPosition()},
                                                             {&knee_, d.KneePosition()}};
    for (const auto& [column, position] : positions) {
        column->slider->ShowPosition(position);
    }
    threshold_.value->setText(FromUtf8(d.ThresholdText()));
    ratio_.value->setText(FromUtf8(d.RatioText()));
    knee_.value->setText(FromUtf8(d.KneeText()));
    threshold_.SetEnabled(d.ThresholdEnabled());
    ratio_.SetEnabled(d.RatioEnabled());
    knee_.SetEnabled(d.KneeEnabled());

    limiter_->SetLit(d.LimiterLit());
    compressor_->SetLit(d.CompressorLit());
    limiter_->setEnabled(d.TypeButtonsEnabled());
    compressor_->setEnabled(d.TypeButtonsEnabled());
    {
        const QSignalBlocker blocker(gate_);
        gate_->setCurrentIndex(d.GateItem().value_or(-1));
    }
    for (int i = 0; i < DynamicsTimeFields::kFields; ++i) {
        const auto field = static_cast<DynamicsTimeField>(i);
        timeFields_[static_cast<std::size_t>(i)]->ShowText(FromUtf8(d.TimeText(field)));
        timeFields_[static_cast<std::size_t>(i)]->setEnabled(d.TimeFieldEnabled(field));
    }
    gateIndex_->ShowText(FromUtf8(d.GateIndexText()));
    ramp_->ShowText(FromUtf8(d.RampText()));
    bypass_->SetLit(d.Bypassed());
    power_->Show(d.LastPowerCheck());
    RefreshRealTime();
}

void DynamicsWindow::showEvent(QShowEvent* event) {
    // Showing reads the current record again and runs its power check.
    dynamics_.Activate();
    Refresh();
    EditorWindowFrame::showEvent(event);
}

void DynamicsWindow::hideEvent(QHideEvent* event) {
    EditorWindowFrame::hideEvent(event);
    Q_EMIT Hidden();
}

bool DynamicsWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        Refresh();
    }
    return EditorWindowFrame::event(event);
}

} // namespace veld23
