#include "editors/LoudnessController.h"

#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"
#include "editors/CrossoverController.h"

#include <algorithm>
#include <utility>

namespace veld23 {

LoudnessController::LoudnessController(ProcessorConfiguration& config, RealTimeSender& sender,
                                       CrossoverController& crossover)
    : config_(config), sender_(sender), crossover_(crossover) {
    crossover_.SetLoudnessResponse(&response_);
    Show();
}

LoudnessController::~LoudnessController() {
    crossover_.SetLoudnessResponse(nullptr);
}

void LoudnessController::SetRedrawFinalResponse(std::function<void()> redraw) {
    redrawFinalResponse_ = std::move(redraw);
}

void LoudnessController::SetFrequencyPosition(int position) {
    frequencyPosition_ = std::clamp(position, 0, kLoudnessFrequencyPositions);
    Apply();
}

void LoudnessController::SetGainPosition(int position) {
    gainPosition_ = std::clamp(position, 0, kLoudnessGainPositions);
    Apply();
}

void LoudnessController::ChooseParam() {
    Section().SectionType = kParametricQAdap;
    Section().Q = kLoudnessParametricQ;
    Apply();
}

void LoudnessController::ChooseHighPass() {
    Section().SectionType = kHiPassQ;
    Apply();
}

bool LoudnessController::HighPassLit() const {
    return Section().SectionType == kHiPassQ;
}

void LoudnessController::Show() {
    LoudnessSection& section = Section();
    // The window has two designs; a stored type it does not know is shown, and then
    // stored, as the one it lights for it.
    if (section.SectionType != kHiPassQ) {
        section.SectionType = kParametricQAdap;
    }
    frequencyPosition_ = LoudnessFrequencyPosition(section.Frequency);
    gainPosition_ = LoudnessGainPosition(section.GainDb);
    Apply();
}

void LoudnessController::Apply() {
    // Gain and frequency come from the sliders, so a stored value outside their
    // ranges is held to them before it is designed.
    LoudnessSection& section = Section();
    section.GainDb = LoudnessGainFromPosition(gainPosition_);
    section.Frequency = LoudnessFrequencyFromPosition(frequencyPosition_);
    gainText_ = field_number::Text(section.GainDb, 1);
    frequencyText_ = field_number::Text(section.Frequency, 0);
    DesignLoudness(section);

    if (sender_.CanSend()) {
        sender_.SendRealTimeFive(static_cast<std::uint8_t>(kLoudnessCoefIndex),
                                 {section.GetCoefficient(0), section.GetCoefficient(1),
                                  section.GetCoefficient(2), section.GetCoefficient(3),
                                  section.GetCoefficient(4)});
    }

    const std::array<const TSOS*, 1> cascade{&section};
    AccumulateResponse(cascade, 1, response_);
    crossover_.RefreshLoudnessCurve();
    if (redrawFinalResponse_) {
        redrawFinalResponse_();
    }
}

LoudnessSection& LoudnessController::Section() {
    return config_.Loudness[0];
}

const LoudnessSection& LoudnessController::Section() const {
    return config_.Loudness[0];
}

} // namespace veld23
