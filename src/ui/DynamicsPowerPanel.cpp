#include "ui/DynamicsPowerPanel.h"

#include "editors/PowerCheck.h"
#include "ui/LevelMeter.h"
#include "ui/QtText.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace veld23 {

namespace {

// Dark red while all is well, bright red when the box cannot take the power.
constexpr const char* kWarningDark = "color: #6A1A1A;";
constexpr const char* kWarningLit = "color: #FF3030;";
constexpr const char* kPowerNormal = "";

} // namespace

DynamicsPowerPanel::DynamicsPowerPanel(QWidget* parent) : QGroupBox(tr("Power Check"), parent) {
    setObjectName("powerPanel");
    information_ = new QLabel(this);
    information_->setObjectName("powerInformation");
    information_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    information_->setFrameShape(QFrame::StyledPanel);
    information_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    information_->setToolTip(tr("What the amplifier delivers at the dynamics' highest output "
                                "level, and the processor's output voltage there"));

    power_ = new QLabel(this);
    power_->setObjectName("powerCaption");
    QFont large = power_->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.4);
    power_->setFont(large);
    power_->setToolTip(tr("Maximum RMS output power of the amplifier"));

    meter_ = new LevelMeter(this);
    meter_->setObjectName("powerMeter");
    meter_->setToolTip(tr("Output level against the box's power capacity: green up to 70 %, "
                          "yellow up to 95 %, red beyond"));

    warning_ = new QLabel(this);
    warning_->setObjectName("powerWarning");
    QFont bold = warning_->font();
    bold.setBold(true);
    warning_->setFont(bold);
    exceeded_ = new QLabel(this);
    exceeded_->setObjectName("powerExceeded");
    exceeded_->setWordWrap(true);
    exceeded_->setStyleSheet(kWarningLit);
    // Room for the caption even while it is empty, so the panel does not jump.
    exceeded_->setMinimumHeight(fontMetrics().height() * 2);

    speaker_ = new QPushButton(tr("Speaker and Am&plifier..."), this);
    speaker_->setObjectName("speakerButton");
    speaker_->setToolTip(tr("Speaker and Amplifier Parameters: box impedance and power, "
                            "amplifier power and gain, balanced signal"));
    connect(speaker_, &QPushButton::clicked, this, &DynamicsPowerPanel::SpeakerRequested);

    auto* grid = new QGridLayout(this);
    grid->addWidget(information_, 0, 0, 1, 2);
    grid->addWidget(power_, 1, 0);
    grid->addWidget(warning_, 1, 1, Qt::AlignRight);
    grid->addWidget(meter_, 2, 0, 1, 2);
    grid->addWidget(exceeded_, 3, 0, 1, 2);
    grid->addWidget(speaker_, 4, 0, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(0, 1);
}

void DynamicsPowerPanel::Show(const PowerCheckResult& check) {
    information_->setText(FromWindows1252(check.powerLine.View()) + QLatin1Char('\n') +
                          FromWindows1252(check.voltageLine.View()));
    power_->setText(FromWindows1252(check.powerCaption.View()));
    warningLit_ = check.boxPowerExceeded;
    warning_->setText(FromWindows1252(check.WarningCaption()));
    warning_->setStyleSheet(warningLit_ ? kWarningLit : kWarningDark);
    power_->setStyleSheet(warningLit_ ? kWarningLit : kPowerNormal);
    exceeded_->setText(FromWindows1252(check.ExceededCaption()));
    meter_->SetScale({check.meter.maximum, check.meter.secondColourAt, check.meter.thirdColourAt});
    meter_->SetPosition(check.meter.position);
}

} // namespace veld23
