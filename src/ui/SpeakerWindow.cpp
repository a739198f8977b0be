#include "ui/SpeakerWindow.h"

#include "editors/SpeakerSettingsController.h"
#include "ui/DarkTheme.h"
#include "ui/LitButton.h"
#include "ui/QtText.h"
#include "ui/StepField.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

const QColor kOutputLit(QRgb{0x00C8E8});
const QColor kBalancedLit(QRgb{0x30D050});

} // namespace

SpeakerWindow::SpeakerWindow(SpeakerSettingsController& speaker, QWidget* anchor,
                             RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(FromWindows1252(SpeakerSettingsController::kCaption), anchor,
                        std::move(realTime), parent),
      speaker_(speaker) {
    setObjectName("speakerWindow");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSelector());
    layout->addWidget(BuildFields());
    summary_ = new QLabel(this);
    summary_->setObjectName("powerSummary");
    summary_->setWordWrap(true);
    summary_->setToolTip(tr("The power check of the dynamics window for these settings"));
    summary_->setMinimumHeight(fontMetrics().height() * 2);
    layout->addWidget(summary_);
    layout->addWidget(RealTimeButton(), 0, Qt::AlignRight);
    layout->addStretch(1);
    Refresh();
}

QWidget* SpeakerWindow::BuildSelector() {
    auto* panel = new QWidget(this);
    auto* configure =
        new QLabel(FromWindows1252(SpeakerSettingsController::kSelectorHeading), panel);
    MakeHeading(*configure);
    auto* row = new QHBoxLayout;
    for (int button = 1; button <= kButtons; ++button) {
        const QString caption =
            FromWindows1252(SpeakerSettingsController::kButtonCaptions[button - 1]);
        // Alt+1, Alt+2 and Alt+S.
        QString text = caption;
        text.insert(button == 3 ? text.indexOf(QLatin1Char('S'))
                                : text.indexOf(QLatin1Char('0' + button)),
                    QLatin1Char('&'));
        auto* output = new LitButton(text, kOutputLit, panel);
        output->setObjectName(QStringLiteral("speakerOutput%1").arg(button));
        output->setToolTip(button == 3 ? tr("Settings of the speaker behind the third output")
                                       : tr("Settings of the speakers behind OUT 1 and OUT 2 "
                                            "(one dynamics record serves both)"));
        connect(output, &LitButton::clicked, this,
                [this, button] { Run([&] { speaker_.ChooseOutput(button); }); });
        outputs_[static_cast<std::size_t>(button - 1)] = output;
        row->addWidget(output);
    }
    row->addStretch(1);

    heading_ = new QLabel(panel);
    heading_->setObjectName("speakerHeading");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    channel_ = new QLabel(panel);
    channel_->setObjectName("speakerChannel");
    channel_->setToolTip(tr("The output's channel label, as named on the main window"));
    auto* chosen = new QHBoxLayout;
    chosen->addWidget(heading_);
    chosen->addWidget(channel_);
    chosen->addStretch(1);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(configure);
    layout->addLayout(row);
    layout->addLayout(chosen);
    return panel;
}

StepField* SpeakerWindow::AddPowerRow(QGridLayout* grid, int row, const QString& caption,
                                      const QString& tip, void (SpeakerSettingsController::*up)(),
                                      void (SpeakerSettingsController::*down)()) {
    // Typing is off: the power changes only by its steps.
    auto* field = new StepField(StepField::Steps::UpDown, this);
    field->Edit()->setReadOnly(true);
    field->SetCharacterWidth(5);
    field->SetHint(tip);
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(new QLabel(tr("W"), this), row, 2);
    // The step captures the member it calls, not the outer captures: see the
    // equaliser window's controls.
    connect(field, &StepField::Stepped, this, [this, up, down](int direction) {
        Run([speaker = &speaker_, step = direction > 0 ? up : down] { (speaker->*step)(); });
    });
    return field;
}

QWidget* SpeakerWindow::BuildFields() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    impedance_ = new QComboBox(panel);
    impedance_->setObjectName("impedanceList");
    for (std::string_view item : SpeakerSettingsController::kImpedanceItems) {
        impedance_->addItem(FromWindows1252(item));
    }
    impedance_->setToolTip(tr("Nominal impedance of the box: 2, 2.67, 4, 8 or 16 ohms"));
    auto* impedanceLabel = new QLabel(tr("Box &Impedance"), panel);
    impedanceLabel->setBuddy(impedance_);
    grid->addWidget(impedanceLabel, 0, 0);
    grid->addWidget(impedance_, 0, 1);
    grid->addWidget(new QLabel(tr("ohms"), panel), 0, 2);
    connect(impedance_, &QComboBox::activated, this,
            [this](int item) { Run([&] { speaker_.SelectImpedance(item); }); });

    boxPower_ = AddPowerRow(grid, 1, tr("Maximum &Box Power"),
                            tr("What the box takes, 5 to 4000 W: the step buttons (or Up and Down) "
                               "move by 1 W below 25 W, 25 W up to 1000 W, 100 W from 1000 W"),
                            &SpeakerSettingsController::BoxPowerUp,
                            &SpeakerSettingsController::BoxPowerDown);
    boxPower_->setObjectName("boxPowerField");
    ampPower_ = AddPowerRow(grid, 2, tr("Maximum &Amplifier Power"),
                            tr("What the amplifier delivers, 25 to 4000 W: the step buttons (or Up "
                               "and Down) move by 25 W, by 100 W from 1000 W"),
                            &SpeakerSettingsController::AmpPowerUp,
                            &SpeakerSettingsController::AmpPowerDown);
    ampPower_->setObjectName("ampPowerField");

    ampGain_ = new StepField(StepField::Steps::UpDown, panel);
    ampGain_->setObjectName("ampGainField");
    ampGain_->SetCharacterWidth(5);
    ampGain_->SetHint(tr("Voltage gain of the amplifier, 5 to 200 times in whole numbers"));
    auto* gainLabel = new QLabel(tr("Amplifier &Gain (linear)"), panel);
    gainLabel->setBuddy(ampGain_);
    grid->addWidget(gainLabel, 3, 0);
    grid->addWidget(ampGain_, 3, 1);
    for (auto taken : {&StepField::Entered, &StepField::Left}) {
        connect(ampGain_, taken, this,
                [this] { Run([&] { speaker_.EnterAmpGain(ToUtf8(ampGain_->Edit()->text())); }); });
    }
    connect(ampGain_, &StepField::Stepped, this, [this](int direction) {
        Run([&] { direction > 0 ? speaker_.AmpGainUp() : speaker_.AmpGainDown(); });
    });

    balanced_ = new LitButton(tr("Balan&ced Signal"), kBalancedLit, panel);
    balanced_->setObjectName("balancedSwitch");
    balanced_->setToolTip(tr("Balanced (bridged) signal to the amplifier (lit); unbalanced gives "
                             "a quarter of the power"));
    grid->addWidget(balanced_, 4, 0, 1, 2, Qt::AlignLeft);
    connect(balanced_, &LitButton::clicked, this,
            [this] { Run([&] { speaker_.ToggleBalanced(); }); });
    grid->setColumnStretch(3, 1);
    return panel;
}

void SpeakerWindow::Run(const std::function<void()>& step) {
    step();
    Refresh();
    Q_EMIT Edited();
}

void SpeakerWindow::FollowRecord(int record) {
    if (record != speaker_.CurrentRecord()) {
        Run([&] { speaker_.ChooseOutput(record == 2 ? 3 : 1); });
    }
}

void SpeakerWindow::Refresh() {
    for (int button = 1; button <= kButtons; ++button) {
        OutputButton(button)->setVisible(speaker_.ButtonOffered(button));
        OutputButton(button)->SetLit(speaker_.ButtonLit(button));
    }
    heading_->setText(FromWindows1252(speaker_.Heading()));
    channel_->setText(FromWindows1252(speaker_.ChannelCaption().View()));
    {
        const QSignalBlocker blocker(impedance_);
        impedance_->setCurrentIndex(speaker_.ImpedanceItem());
    }
    boxPower_->ShowText(QString::number(speaker_.BoxPower()));
    ampPower_->ShowText(QString::number(speaker_.AmpPower()));
    ampGain_->ShowText(QString::number(speaker_.AmpGain()));
    balanced_->SetLit(speaker_.BalancedLit());
    const PowerCheckResult& check = speaker_.LastPowerCheck();
    QString summary = tr("Max RMS Out Power: %1").arg(FromWindows1252(check.powerCaption.View()));
    if (check.boxPowerExceeded) {
        summary += QLatin1Char('\n') + FromWindows1252(check.ExceededCaption());
    }
    summary_->setText(summary);
    summary_->setStyleSheet(check.boxPowerExceeded ? QStringLiteral("color: #FF3030;") : QString());
    RefreshRealTime();
}

void SpeakerWindow::showEvent(QShowEvent* event) {
    // Showing chooses the current record's output again, loading its values.
    speaker_.Activate();
    Refresh();
    Q_EMIT Edited();
    EditorWindowFrame::showEvent(event);
}

} // namespace veld23
