#include "editors/SpeakerSettingsController.h"

#include "config/ProcessorConfiguration.h"
#include "dsp/DynamicsLimits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace veld23 {

namespace {

using namespace dynamics;

constexpr int kBoxPowerMin = static_cast<int>(kPowerMaxLoadMin);
constexpr int kBoxPowerMax = static_cast<int>(kPowerMaxLoadMax);
constexpr int kAmpPowerMin = static_cast<int>(kPowerAmpMaxMin);
constexpr int kAmpPowerMax = static_cast<int>(kPowerAmpMaxMax);
constexpr int kGainFieldMin = static_cast<int>(dynamics::kAmpGainMin);
constexpr int kGainFieldMax = static_cast<int>(dynamics::kAmpGainMax);
constexpr int kLargeStepFrom = 1000;
constexpr int kFineStepBelow = 25;

// A stored value as its whole-number field shows it: nearest integer, held to the
// field's range (NaN gives the default).
int WholeField(float value, float lo, float hi, float fallback) {
    return static_cast<int>(std::nearbyint(HoldField(value, lo, hi, fallback)));
}

int ImpedanceItemOf(float zload) {
    const float choice = NearestZloadChoice(zload);
    for (int item = 0; item < static_cast<int>(std::size(kZloadChoices)); ++item) {
        if (kZloadChoices[item] == choice) {
            return item;
        }
    }
    return 3; // 8 ohms; NearestZloadChoice always gives one of the choices
}

} // namespace

SpeakerSettingsController::SpeakerSettingsController(ProcessorConfiguration& config,
                                                     SpeakerSettingsListener* listener)
    : config_(config), listener_(listener) {
    LoadFields();
    lastCheck_ = RunPowerCheck(config_, record_);
}

TDYNAMIC& SpeakerSettingsController::Record() {
    return config_.Dynamics[record_ == 2 ? 1 : 0];
}

void SpeakerSettingsController::Activate() {
    ChooseOutput(record_ == 2 ? 3 : 1);
}

void SpeakerSettingsController::ChooseOutput(int button) {
    if (button < 1 || button > kButtons) {
        return;
    }
    button_ = button;
    // Nearest integer to button / 2 + 0.1: buttons 1 and 2 share record 1.
    record_ = button == 3 ? 2 : 1;
    LoadFields();
    // Loading runs the fields' change steps, so the record ends with what they show.
    StoreFields();
    CheckPower();
    if (listener_ != nullptr) {
        listener_->DynamicsRecordChosen(record_);
    }
}

bool SpeakerSettingsController::ButtonOffered(int button) const {
    return button == 1 || button == 3 || (button == 2 && config_.ChannelOffered(2));
}

std::string_view SpeakerSettingsController::Heading() const {
    if (record_ == 2 && config_.Topology == OutputTopology::TwoOutputs) {
        return kSecondOutputHeading;
    }
    return kButtonCaptions[button_ - 1];
}

const ChannelLabelTexts::Label& SpeakerSettingsController::ChannelCaption() const {
    return config_.OutputChannelLabel(button_);
}

void SpeakerSettingsController::LoadFields() {
    const TDYNAMIC& d = config_.Dynamics[record_ == 2 ? 1 : 0];
    impedanceItem_ = ImpedanceItemOf(d.Zload);
    boxPower_ =
        WholeField(d.PowerMaxLoad, kPowerMaxLoadMin, kPowerMaxLoadMax, kDefaultPowerMaxLoad);
    ampPower_ = WholeField(d.PowerAmpMax, kPowerAmpMaxMin, kPowerAmpMaxMax, kDefaultPowerAmpMax);
    ampGain_ = WholeField(d.AmpGain, dynamics::kAmpGainMin, dynamics::kAmpGainMax, kDefaultAmpGain);
    balanced_ = d.Balanceado;
    speakerCountItem_ = HoldField(d.NumberSpeakers, kNumberSpeakersMin, kNumberSpeakersMax);
}

void SpeakerSettingsController::StoreFields() {
    TDYNAMIC& d = Record();
    d.Zload = kZloadChoices[impedanceItem_];
    d.PowerMaxLoad = static_cast<float>(boxPower_);
    d.PowerAmpMax = static_cast<float>(ampPower_);
    d.AmpGain = static_cast<float>(ampGain_);
    d.Balanceado = balanced_;
    d.NumberSpeakers = speakerCountItem_;
}

void SpeakerSettingsController::CheckPower() {
    lastCheck_ = RunPowerCheck(config_, record_);
    if (listener_ != nullptr) {
        listener_->PowerChecked(lastCheck_);
    }
}

void SpeakerSettingsController::SelectImpedance(int item) {
    if (item < 0 || item >= static_cast<int>(kImpedanceItems.size())) {
        return;
    }
    impedanceItem_ = item;
    StoreFields();
    CheckPower();
}

int SpeakerSettingsController::BoxPowerStep() const {
    if (boxPower_ >= kLargeStepFrom) {
        return 100;
    }
    return boxPower_ < kFineStepBelow ? 1 : 25;
}

void SpeakerSettingsController::BoxPowerUp() {
    boxPower_ = std::min(boxPower_ + BoxPowerStep(), kBoxPowerMax);
    StoreFields();
    CheckPower();
}

void SpeakerSettingsController::BoxPowerDown() {
    boxPower_ = std::max(boxPower_ - BoxPowerStep(), kBoxPowerMin);
    StoreFields();
    CheckPower();
}

int SpeakerSettingsController::AmpPowerStep() const {
    return ampPower_ >= kLargeStepFrom ? 100 : 25;
}

void SpeakerSettingsController::AmpPowerUp() {
    ampPower_ = std::min(ampPower_ + AmpPowerStep(), kAmpPowerMax);
    StoreFields();
    CheckPower();
}

void SpeakerSettingsController::AmpPowerDown() {
    ampPower_ = std::max(ampPower_ - AmpPowerStep(), kAmpPowerMin);
    StoreFields();
    CheckPower();
}

void SpeakerSettingsController::AmpGainUp() {
    ampGain_ = std::min(ampGain_ + 1, kGainFieldMax);
    StoreFields();
    CheckPower();
}

void SpeakerSettingsController::AmpGainDown() {
    ampGain_ = std::max(ampGain_ - 1, kGainFieldMin);
    StoreFields();
    CheckPower();
}

void SpeakerSettingsController::EnterAmpGain(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size()) {
        return;
    }
    if (error == std::errc::result_out_of_range) {
        value = text.front() == '-' ? kGainFieldMin : kGainFieldMax;
    }
    ampGain_ = static_cast<int>(std::clamp<long>(value, kGainFieldMin, kGainFieldMax));
    StoreFields();
    CheckPower();
}

void SpeakerSettingsController::ToggleBalanced() {
    balanced_ = !balanced_;
    StoreFields();
    CheckPower();
    if (listener_ != nullptr) {
        listener_->BalancedSwitched(record_);
    }
}

void SpeakerSettingsController::SelectSpeakerCount(int item) {
    if (item < kNumberSpeakersMin || item > kNumberSpeakersMax) {
        return;
    }
    speakerCountItem_ = item;
    StoreFields();
    CheckPower();
}

} // namespace veld23
