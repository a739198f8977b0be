#include "ui/LevelsWindow.h"

#include "config/OutputLevel.h"
#include "config/ProcessorConfiguration.h"
#include "editors/LevelController.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/DarkTheme.h"
#include "ui/LitButton.h"
#include "ui/OutputCaptions.h"
#include "ui/PositionSlider.h"
#include "ui/QtText.h"
#include "ui/SliderScale.h"
#include "ui/StepField.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

constexpr int kMaxPosition = OutputLevel::kMaxPosition;       // -30.0 dB
constexpr int kUnityPosition = OutputLevel::kDefaultPosition; // 0.0 dB
constexpr int kTopPosition = 1;                               // +6.0 dB, as is position 0
constexpr int kPositionsPerDb = 10;                           // one position is 0.1 dB
const QColor kMuteLit(QRgb{0xFF3030});
const QColor kInvertLit(QRgb{0xF0E040});

} // namespace

LevelsWindow::LevelsWindow(LevelController& levels, const ProcessorConfiguration& config,
                           QWidget* anchor, RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(tr("Output Levels"), anchor, std::move(realTime), parent), levels_(levels),
      config_(config) {
    setObjectName("levelsWindow");
    auto* heading = new QLabel(tr("Output Gain Levels"), this);
    MakeHeading(*heading);
    top_ = new QHBoxLayout;
    auto* top = top_;
    top->addWidget(heading);
    top->addStretch(1);
    top->addWidget(RealTimeButton());

    auto* outputs = new QHBoxLayout;
    outputs->setSpacing(18);
    for (int output = 1; output <= kOutputs; ++output) {
        outputs->addWidget(BuildStrip(output));
        Bind(output);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(outputs, 1);
    Refresh();
}

QWidget* LevelsWindow::BuildStrip(int output) {
    OutputStrip& strip = strips_[output - 1];
    strip.panel = new QWidget(this);
    strip.panel->setObjectName(QStringLiteral("levelStrip%1").arg(output));

    strip.name = new QLabel(strip.panel);
    strip.name->setAlignment(Qt::AlignCenter);
    QFont bold = strip.name->font();
    bold.setBold(true);
    strip.name->setFont(bold);
    strip.label = new QLabel(strip.panel);
    strip.label->setAlignment(Qt::AlignCenter);
    strip.label->setToolTip(tr("The output's channel label, as named on the main window"));

    strip.slider = new PositionSlider(strip.panel);
    strip.slider->setObjectName(QStringLiteral("levelSlider%1").arg(output));
    strip.slider->SetLastPosition(kMaxPosition);
    strip.slider->setPageStep(kPositionsPerDb);
    strip.slider->setMinimumHeight(strip.slider->fontMetrics().height() * 18);
    strip.slider->setToolTip(tr("Output level: -30.0 to +6.0 dB in 0.1 dB steps "
                                "(Page Up / Page Down: 1 dB)"));
    strip.name->setBuddy(strip.slider);
    auto* scale = new SliderScale(strip.slider,
                                  {{kTopPosition, tr("+6 dB")},
                                   {kUnityPosition, tr("0 dB")},
                                   {kUnityPosition + 10 * kPositionsPerDb, tr("-10 dB")},
                                   {kUnityPosition + 20 * kPositionsPerDb, tr("-20 dB")},
                                   {kMaxPosition, tr("-30 dB")}},
                                  strip.panel);

    strip.field = new StepField(StepField::Steps::Keys, strip.panel);
    strip.field->setObjectName(QStringLiteral("levelField%1").arg(output));
    strip.field->SetCharacterWidth(5);
    strip.field->SetHint(tr("Level in dB, -30.0 to +6.0 with one decimal; Enter takes a typed "
                            "value, Up and Down step by 0.1 dB"));
    auto* unit = new QLabel(tr("dB"), strip.panel);

    strip.mute = new LitButton(tr("&Mute"), kMuteLit, strip.panel);
    strip.mute->setObjectName(QStringLiteral("muteSwitch%1").arg(output));
    strip.mute->setToolTip(tr("Mute: silences the output (lit = muted)"));
    strip.polarity = new LitButton(tr("&Inv"), kInvertLit, strip.panel);
    strip.polarity->setObjectName(QStringLiteral("polaritySwitch%1").arg(output));
    strip.polarity->setToolTip(tr("Inv: inverts the output's polarity (lit = inverted)"));

    auto* grid = new QGridLayout(strip.panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(strip.name, 0, 0, 1, 2);
    grid->addWidget(strip.label, 1, 0, 1, 2);
    grid->addWidget(scale, 2, 0);
    grid->addWidget(strip.slider, 2, 1, Qt::AlignLeft);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(strip.field);
    fieldRow->addWidget(unit);
    grid->addLayout(fieldRow, 3, 0, 1, 2, Qt::AlignCenter);
    grid->addWidget(strip.mute, 4, 0, 1, 2);
    grid->addWidget(strip.polarity, 5, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return strip.panel;
}

void LevelsWindow::Bind(int output) {
    const OutputStrip& strip = strips_[output - 1];
    connect(strip.slider, &PositionSlider::Moved, this, [this, output](int position) {
        Run([&] { levels_.SetLevelPosition(output, position); });
    });
    connect(strip.field, &StepField::Edited, this,
            [this, output](const QString& text) { levels_.SetLevelText(output, ToUtf8(text)); });
    for (auto taken : {&StepField::Entered, &StepField::Left}) {
        connect(strip.field, taken, this,
                [this, output] { Run([&] { levels_.LevelEnter(output); }); });
    }
    connect(strip.field, &StepField::Stepped, this, [this, output](int direction) {
        Run([&] { direction > 0 ? levels_.LevelUp(output) : levels_.LevelDown(output); });
    });
    connect(strip.mute, &LitButton::clicked, this,
            [this, output] { Run([&] { levels_.ToggleMute(output); }); });
    connect(strip.polarity, &LitButton::clicked, this,
            [this, output] { Run([&] { levels_.TogglePolarity(output); }); });
}

void LevelsWindow::Run(const std::function<void()>& step) {
    step();
    Refresh();
    Q_EMIT Edited();
}

bool LevelsWindow::OutputShown(int output) const {
    return Strip(output).panel->isVisibleTo(this);
}

void LevelsWindow::AddCopyButtons(ChannelCopyButtons* buttons) {
    copyButtons_ = buttons;
    // Before the stretch and the Real Time switch, which end the row.
    top_->insertWidget(top_->count() - 2, buttons);
    setTabOrder(buttons->Button(0), buttons->Button(1));
    setTabOrder(buttons->Button(1), RealTimeButton());
    Refresh();
}

void LevelsWindow::Refresh() {
    if (copyButtons_ != nullptr) {
        copyButtons_->Refresh();
    }
    bool offerChanged = false;
    for (int output = 1; output <= kOutputs; ++output) {
        const OutputStrip& strip = strips_[output - 1];
        const bool offered = config_.ChannelOffered(output);
        offerChanged = offerChanged || strip.panel->isVisibleTo(this) != offered;
        strip.panel->setVisible(offered);
        strip.name->setText(OutputName(config_, output));
        strip.label->setText(OutputRowLabel(config_, output));
        strip.slider->ShowPosition(levels_.LevelPosition(output));
        strip.field->ShowText(FromUtf8(levels_.LevelText(output)));
        strip.mute->SetLit(levels_.MuteLit(output));
        strip.polarity->SetLit(levels_.PolarityLit(output));
    }
    RefreshRealTime();
    if (offerChanged) {
        // Two outputs leave a narrower window; three give the room back.
        layout()->activate();
        resize(sizeHint());
    }
}

bool LevelsWindow::event(QEvent* event) {
    // The channel labels may have been renamed on the main window meanwhile.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        Refresh();
    }
    return EditorWindowFrame::event(event);
}

} // namespace veld23
