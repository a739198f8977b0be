#include "editors/DelayController.h"

#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/SampleRate.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veld23 {

namespace {

const std::string kNoText;
// The Fahrenheit field spans the same 0..50 degrees Celsius.
constexpr double kMinFahrenheit = 32.0;
constexpr double kMaxFahrenheit = 122.0;

std::int32_t Nearest(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace

DelayController::DelayController(Model model, RealTimeSender& sender)
    : model_(std::move(model)), sender_(sender) {
    for (int output = 1; output <= kOutputs; ++output) {
        ShowDistance(output, 0.0);
    }
}

DelayController::DelayController(ProcessorConfiguration& config, RealTimeSender& sender)
    : DelayController(Model{config.Delays, config.DelayTemperature,
                            config.Dynamics[0].LookAheadSamples,
                            [&config] { return config.Topology == OutputTopology::TwoOutputs; }},
                      sender) {}

void DelayController::SetRedraw(std::function<void()> redraw) {
    redraw_ = std::move(redraw);
}

DelayLayout DelayController::Layout(int output) const {
    return OutputDelay::Layout(output, TwoOutputs());
}

// ---------------------------------------------------------------- sliders

void DelayController::SetDelayPosition(int output, std::int32_t position) {
    if (Valid(output)) {
        SliderChange(output, position);
    }
}

void DelayController::SliderChange(int output, std::int32_t position) {
    OutputDelay& delay = Delay(output);
    delay.ApplyPosition(position, Layout(output));
    if (redraw_) {
        redraw_();
    }
    if (sender_.CanSend()) {
        sender_.SendRealTimeInteger(static_cast<std::uint16_t>(kFirstDelayParameter + output - 1),
                                    static_cast<std::uint16_t>(delay.DelayWord));
    }
}

void DelayController::AllSliderChanges() {
    for (int output = 1; output <= kOutputs; ++output) {
        SliderChange(output, Delay(output).DelayPosition);
    }
}

std::int32_t DelayController::DelayPosition(int output) const {
    return Valid(output) ? Delay(output).DelayPosition : 0;
}

std::int32_t DelayController::DelayWord(int output) const {
    return Valid(output) ? Delay(output).DelayWord : 0;
}

std::int32_t DelayController::DisplaySamples(int output) const {
    return Valid(output) ? Delay(output).DisplaySamples(Layout(output)) : 0;
}

double DelayController::DelayMs(int output) const {
    if (!Valid(output)) {
        return 0.0;
    }
    const double ms = DisplaySamples(output) / SampleRate * 1000.0;
    return std::clamp(ms, 0.0, output == 3 ? kMaxMsThird : kMaxMsFull);
}

double DelayController::DelayCm(int output) const {
    if (!Valid(output)) {
        return 0.0;
    }
    const double cm = DelayMs(output) / 1000.0 * SpeedOfSound(TemperatureC()) * 100.0;
    return std::clamp(cm, 0.0, kMaxCm);
}

std::string DelayController::DelayMsText(int output) const {
    return field_number::Text(DelayMs(output), 2);
}

std::string DelayController::DelayCmText(int output) const {
    return field_number::Text(DelayCm(output), 1);
}

// ---------------------------------------------------------------- delay field keys

void DelayController::DelayFieldUp(int output) {
    if (Valid(output)) {
        SetDelayWordByKey(output, Delay(output).DelayWord + 1);
    }
}

void DelayController::DelayFieldDown(int output) {
    if (!Valid(output)) {
        return;
    }
    const std::int32_t word = Delay(output).DelayWord;
    // OUT 1 in two outputs always receives one sample more than it shows, so 1 is
    // its zero delay.
    const std::int32_t lowest = (output == 1 && TwoOutputs()) ? 1 : 0;
    if (word <= lowest) {
        return;
    }
    SetDelayWordByKey(output, word - 1);
}

void DelayController::SetDelayWordByKey(int output, std::int32_t word) {
    SliderChange(output, OutputDelay::PositionForWord(word, output, TwoOutputs()));
}

// ---------------------------------------------------------------- temperature

void DelayController::SetTemperatureC(std::int32_t celsius) {
    model_.delayTemperature =
        std::clamp(celsius, OutputDelay::kMinTemperature, OutputDelay::kMaxTemperature);
    AllSliderChanges();
}

void DelayController::SetTemperatureF(std::int32_t fahrenheit) {
    const std::int32_t held = std::clamp(fahrenheit, static_cast<std::int32_t>(kMinFahrenheit),
                                         static_cast<std::int32_t>(kMaxFahrenheit));
    SetTemperatureC(Nearest((held - 32) * 5.0 / 9.0));
}

void DelayController::EnterTemperatureC(std::string_view text) {
    double celsius = 0.0;
    if (field_number::Parse(text, celsius)) {
        SetTemperatureC(Nearest(std::clamp(celsius, 1.0 * OutputDelay::kMinTemperature,
                                           1.0 * OutputDelay::kMaxTemperature)));
    }
}

void DelayController::EnterTemperatureF(std::string_view text) {
    double fahrenheit = 0.0;
    if (field_number::Parse(text, fahrenheit)) {
        SetTemperatureF(Nearest(std::clamp(fahrenheit, kMinFahrenheit, kMaxFahrenheit)));
    }
}

std::int32_t DelayController::TemperatureF() const {
    return Nearest(TemperatureC() * 1.8 + 32.0);
}

// ---------------------------------------------------------------- distances

void DelayController::DistanceUp(int output) {
    if (Valid(output)) {
        DistanceKey(output, true);
    }
}

void DelayController::DistanceDown(int output) {
    if (Valid(output)) {
        DistanceKey(output, false);
    }
}

void DelayController::DistanceKey(int output, bool up) {
    const float c = static_cast<float>(SpeedOfSound(TemperatureC()));
    std::array<std::int32_t, kOutputs> alignment = AlignmentFromDistances(c);

    // A key at either end changes nothing, so the stored delays stay normalised.
    std::int32_t& moved = alignment[Index(output)];
    if (up ? moved >= OutputDelay::MaxAlignmentDelay(output) : moved <= 0) {
        return;
    }
    moved += up ? 1 : -1;
    ShowAlignmentDistance(output, moved, c);
    StoreAlignment(alignment);
}

void DelayController::EnterDistance(int output, std::string_view text) {
    double cm = 0.0;
    if (!Valid(output) || !field_number::Parse(text, cm)) {
        return;
    }
    ShowDistance(output, cm);
    const float c = static_cast<float>(SpeedOfSound(TemperatureC()));
    std::array<std::int32_t, kOutputs> alignment = AlignmentFromDistances(c);
    std::int32_t& typed = alignment[Index(output)];
    typed = std::min(typed, OutputDelay::MaxAlignmentDelay(output));
    ShowAlignmentDistance(output, typed, c);
    StoreAlignment(alignment);
}

std::array<std::int32_t, DelayController::kOutputs>
DelayController::AlignmentFromDistances(float c) const {
    // The distance arithmetic has always been single precision; keeping it so keeps
    // the samples a given distance field stands for.
    std::array<std::int32_t, kOutputs> alignment{};
    for (int k = 1; k <= kOutputs; ++k) {
        const float timeMs = static_cast<float>(distanceCm_[Index(k)]) / (c * 100.0f) * 1000.0f;
        alignment[Index(k)] = Nearest(timeMs / 1000.0 * SampleRate);
    }
    return alignment;
}

void DelayController::ShowAlignmentDistance(int output, std::int32_t samples, float c) {
    const float timeMs = static_cast<float>(samples / SampleRate * 1000.0);
    ShowDistance(output, static_cast<double>(timeMs) / 1000.0 * static_cast<double>(c) * 100.0);
}

void DelayController::StoreAlignment(const std::array<std::int32_t, kOutputs>& alignment) {
    const std::int32_t smallest = *std::min_element(alignment.begin(), alignment.end());
    for (int k = 1; k <= kOutputs; ++k) {
        Delay(k).AlignmentDelay = alignment[Index(k)] - smallest;
    }
    AllSliderChanges();
}

void DelayController::ShowDistance(int output, double cm) {
    const double held = std::isnan(cm) ? 0.0 : std::clamp(cm, 0.0, kMaxDistanceCm);
    distanceText_[Index(output)] = field_number::Text(held, 1);
    distanceCm_[Index(output)] = field_number::Shown(held, 1);
}

const std::string& DelayController::DistanceText(int output) const {
    return Valid(output) ? distanceText_[Index(output)] : kNoText;
}

double DelayController::DistanceCm(int output) const {
    return Valid(output) ? distanceCm_[Index(output)] : 0.0;
}

std::int32_t DelayController::AlignmentDelay(int output) const {
    return Valid(output) ? Delay(output).AlignmentDelay : 0;
}

void DelayController::DistancesFromAlignment() {
    for (int output = 1; output <= kOutputs; ++output) {
        ShowDistance(output, AlignmentDistanceCm(Delay(output).AlignmentDelay, TemperatureC()));
    }
}

std::int32_t DelayController::DistancePictureLength(int output) const {
    if (!Valid(output)) {
        return 0;
    }
    const OutputDelay& delay = Delay(output);
    // The look-ahead delays OUT 1 and OUT 2 inside the dynamics; the third output has to
    // make up for it, so its arrow counts it as still missing.
    const double samples = output == 3
                               ? static_cast<double>(delay.AlignmentDelay) -
                                     delay.Samples(Layout(output)) + model_.lookAheadSamples
                               : static_cast<double>(delay.AlignmentDelay) - delay.DelayWord;
    return Nearest(samples * kPictureLength / OutputDelay::kMaxSamples);
}

// ---------------------------------------------------------------- auto-align

void DelayController::AutoAlign() {
    const bool two = TwoOutputs();
    const std::int64_t a = Delay(1).AlignmentDelay;
    const std::int64_t b = Delay(2).AlignmentDelay;
    const std::int64_t t = Delay(3).AlignmentDelay;
    const std::int64_t x = model_.lookAheadSamples;

    // OUT 1 and OUT 2 already wait for the look-ahead inside the dynamics, so the
    // output that is ahead gives that much of its alignment back.
    std::int64_t d1 = a == 0 ? 0 : (x <= a && x <= b ? a - x : a);
    std::int64_t d2 = b == 0 ? 0 : (x <= b && x <= a ? b - x : b);
    if (a == b && x >= a) {
        d1 -= a;
        d2 -= a;
    }
    std::int64_t d3 = two ? t - 23 + x : t - 2 + x;
    if (a == b) {
        d3 -= std::min(x, a);
    } else if (x < a && x < b) {
        d3 -= x;
    }

    // No slider runs past 165; the slider change holds each to its own maximum.
    auto position = [](std::int64_t p) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(p, 0, OutputDelay::kMaxSamples));
    };
    SliderChange(1, position((two ? 162 : 164) - d1));
    SliderChange(2, position(164 - d2));
    // 141 is where the third slider's base lies for the SUB; with it the third output
    // ends at t + x samples shown in both topologies.
    SliderChange(3, position(141 - d3));
}

// ---------------------------------------------------------------- lifecycle

void DelayController::Activate() {
    AllSliderChanges();
}

void DelayController::CreationStep() {
    ZeroDelays(model_.delays, TwoOutputs());
    model_.delayTemperature = OutputDelay::kDefaultTemperature;
    if (redraw_) {
        redraw_();
    }
}

void DelayController::ResetToNew() {
    ResetDelays(model_.delays, model_.delayTemperature, TwoOutputs());
    for (int output = 1; output <= kOutputs; ++output) {
        ShowDistance(output, 0.0);
    }
    if (redraw_) {
        redraw_();
    }
}

} // namespace veld23
