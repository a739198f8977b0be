#include "ui/LoudnessWindow.h"

#include "dsp/LoudnessSection.h"
#include "editors/LoudnessController.h"
#include "ui/DarkTheme.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace veld23 {

namespace {

constexpr int kSliderHeight = 220;

// Position 0 is the top value (80 Hz, +12 dB); the arrow keys move the handle the way they
// point.
QSlider* TopDownSlider(int highestPosition, int pageStep, const char* name, QWidget* parent) {
    auto* slider = new QSlider(Qt::Vertical, parent);
    slider->setObjectName(name);
    slider->setRange(0, highestPosition);
    slider->setPageStep(pageStep);
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setTickPosition(QSlider::TicksRight);
    slider->setTickInterval(pageStep);
    slider->setMinimumHeight(kSliderHeight);
    return slider;
}

QLineEdit* ReadOnlyDisplay(const char* name, QWidget* parent) {
    auto* display = new QLineEdit(parent);
    display->setObjectName(name);
    display->setReadOnly(true);
    display->setFocusPolicy(Qt::NoFocus);
    display->setAlignment(Qt::AlignRight);
    display->setMaximumWidth(display->fontMetrics().horizontalAdvance("+12.0") + 18);
    return display;
}

QString FromView(std::string_view text) {
    return FromWindows1252(text);
}

} // namespace

LoudnessWindow::LoudnessWindow(LoudnessController& controller, QWidget* anchor,
                               RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(FromView(LoudnessController::kWindowCaption), anchor, std::move(realTime),
                        parent),
      controller_(controller) {
    setObjectName("loudnessWindow");
    auto* heading = new QLabel(FromView(LoudnessController::kWindowCaption), this);
    MakeHeading(*heading);

    frequency_ = TopDownSlider(kLoudnessFrequencyPositions, 5, "frequency", this);
    frequency_->setToolTip(tr("Frequency of the SUB reinforcement, 29 to 80 Hz in steps of 1 Hz"));
    frequencyDisplay_ = ReadOnlyDisplay("frequencyDisplay", this);
    frequencyDisplay_->setToolTip(frequency_->toolTip());
    gain_ = TopDownSlider(kLoudnessGainPositions, 10, "gain", this);
    gain_->setToolTip(tr("Boost of the SUB reinforcement, 0.0 to +12.0 dB in steps of 0.1 dB"));
    gainDisplay_ = ReadOnlyDisplay("gainDisplay", this);
    gainDisplay_->setToolTip(gain_->toolTip());

    param_ = new QPushButton(FromView(LoudnessController::kParamCaption), this);
    param_->setObjectName("param");
    param_->setToolTip(FromView(LoudnessController::kParamHint) +
                       tr(": a peak at the frequency, Q 1.5"));
    highPass_ = new QPushButton(FromView(LoudnessController::kHighPassCaption), this);
    highPass_->setObjectName("highPass");
    highPass_->setToolTip(FromView(LoudnessController::kHighPassHint) +
                          tr(": resonant at the frequency, its Q rising with the boost"));
    auto* types = new QButtonGroup(this);
    for (QPushButton* button : {param_, highPass_}) {
        button->setCheckable(true);
        types->addButton(button);
    }
    auto* typeCaption = new QLabel(tr("&Type"), this);
    typeCaption->setBuddy(param_);

    auto* sliders = new QHBoxLayout;
    sliders->setSpacing(28);
    sliders->addWidget(SliderColumn(tr("&Frequency"), frequency_, frequencyDisplay_, tr("Hz"),
                                    LoudnessController::kFrequencyMarks));
    sliders->addWidget(
        SliderColumn(tr("&Gain"), gain_, gainDisplay_, tr("dB"), LoudnessController::kGainMarks));
    sliders->addStretch(1);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeCaption);
    typeRow->addWidget(param_);
    typeRow->addWidget(highPass_);
    typeRow->addStretch(1);
    typeRow->addWidget(RealTimeButton());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addLayout(sliders, 1);
    layout->addLayout(typeRow);

    connect(frequency_, &QSlider::valueChanged, this, [this](int position) {
        Run([this, position] { controller_.SetFrequencyPosition(position); });
    });
    connect(gain_, &QSlider::valueChanged, this, [this](int position) {
        Run([this, position] { controller_.SetGainPosition(position); });
    });
    connect(param_, &QPushButton::clicked, this,
            [this] { Run([this] { controller_.ChooseParam(); }); });
    connect(highPass_, &QPushButton::clicked, this,
            [this] { Run([this] { controller_.ChooseHighPass(); }); });
    Refresh();
}

QWidget* LoudnessWindow::SliderColumn(const QString& caption, QSlider* slider, QLineEdit* display,
                                      const QString& unit,
                                      const std::array<std::string_view, 3>& marks) {
    auto* column = new QWidget(this);
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    auto* title = new QLabel(caption, column);
    title->setBuddy(slider);
    grid->addWidget(title, 0, 0, 1, 3, Qt::AlignHCenter);
    // The scale marks beside the slider: the highest value at the top.
    auto* scale = new QVBoxLayout;
    scale->setContentsMargins(0, 0, 0, 0);
    const Qt::Alignment places[3] = {Qt::AlignBottom, Qt::AlignVCenter, Qt::AlignTop};
    for (int i = 2; i >= 0; --i) {
        auto* mark = new QLabel(FromView(marks[static_cast<std::size_t>(i)]).trimmed(), column);
        mark->setAlignment(Qt::AlignRight | places[i]);
        scale->addWidget(mark, 1);
    }
    grid->addLayout(scale, 1, 0);
    grid->addWidget(slider, 1, 1, Qt::AlignHCenter);
    grid->addWidget(display, 2, 0, 1, 2, Qt::AlignRight);
    grid->addWidget(new QLabel(unit, column), 2, 2);
    return column;
}

template <typename Action> void LoudnessWindow::Run(Action action) {
    if (refilling_) {
        return;
    }
    action();
    Refresh();
}

void LoudnessWindow::Open() {
    controller_.Show();
    Refresh();
}

void LoudnessWindow::showEvent(QShowEvent* event) {
    Refresh();
    EditorWindowFrame::showEvent(event);
}

void LoudnessWindow::Refresh() {
    refilling_ = true;
    {
        const QSignalBlocker block(frequency_);
        frequency_->setValue(controller_.FrequencyPosition());
    }
    {
        const QSignalBlocker block(gain_);
        gain_->setValue(controller_.GainPosition());
    }
    frequencyDisplay_->setText(FromUtf8(controller_.FrequencyText()));
    gainDisplay_->setText(FromUtf8(controller_.GainText()));
    for (QPushButton* button : {param_, highPass_}) {
        const QSignalBlocker block(button);
        button->setChecked(button == highPass_ ? controller_.HighPassLit()
                                               : controller_.ParamLit());
    }
    RefreshRealTime();
    refilling_ = false;
}

} // namespace veld23
