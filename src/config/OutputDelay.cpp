#include "config/OutputDelay.h"

#include "dsp/SampleRate.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

namespace {

// Base, display offset, word offset, slider maximum, zero-delay position.
constexpr DelayLayout kOut1Three{164, 0, 0, 165, 164};
constexpr DelayLayout kOut1Two{162, 0, 1, 163, 162};
constexpr DelayLayout kOut2{164, 0, 0, 165, 164};
constexpr DelayLayout kThirdThree{141, 2, 23, 143, 143};
constexpr DelayLayout kThirdTwo{164, 0, 0, 165, 164};

} // namespace

DelayLayout OutputDelay::Layout(int output, bool twoOutputs) {
    if (output <= 1) {
        return twoOutputs ? kOut1Two : kOut1Three;
    }
    if (output == 2) {
        return kOut2;
    }
    return twoOutputs ? kThirdTwo : kThirdThree;
}

std::int32_t OutputDelay::PositionForWord(std::int32_t word, int output, bool twoOutputs) {
    const DelayLayout layout = Layout(output, twoOutputs);
    // The position counts down from 163 or 164 by the word; a word far out of range
    // must not overflow on the way to the slider's range.
    const std::int64_t top = (output <= 1 && twoOutputs) ? 163 : 164;
    const std::int64_t position = top - static_cast<std::int64_t>(word);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, 0, layout.sliderMaximum));
}

std::int32_t OutputDelay::DisplaySamples(const DelayLayout& layout) const {
    return std::max(Samples(layout) + layout.displayOffset, 0);
}

void OutputDelay::ApplyPosition(std::int32_t position, const DelayLayout& layout) {
    DelayPosition = std::clamp(position, 0, layout.sliderMaximum);
    const std::int32_t s = std::min(Samples(layout), kMaxSamples);
    DelayWord = std::clamp(s + layout.wordOffset, 0, kMaxSamples);
}

double SpeedOfSound(std::int32_t temperatureC) {
    return 20.06 * std::sqrt(static_cast<double>(temperatureC) + 273.0);
}

double AlignmentDistanceCm(std::int32_t samples, std::int32_t temperatureC) {
    return samples / SampleRate * SpeedOfSound(temperatureC) * 100.0;
}

void ZeroDelays(std::array<OutputDelay, 3>& delays, bool twoOutputs) {
    for (int output = 1; output <= OutputDelay::kOutputs; ++output) {
        const DelayLayout layout = OutputDelay::Layout(output, twoOutputs);
        delays[static_cast<std::size_t>(output - 1)].ApplyPosition(layout.zeroPosition, layout);
    }
}

void ResetDelays(std::array<OutputDelay, 3>& delays, std::int32_t& delayTemperature,
                 bool twoOutputs) {
    for (OutputDelay& delay : delays) {
        delay.AlignmentDelay = 0;
    }
    ZeroDelays(delays, twoOutputs);
    delayTemperature = OutputDelay::kDefaultTemperature;
}

void ApplyDelayWords(std::array<OutputDelay, 3>& delays, bool twoOutputs) {
    for (int output = 1; output <= OutputDelay::kOutputs; ++output) {
        OutputDelay& delay = delays[static_cast<std::size_t>(output - 1)];
        delay.ApplyPosition(OutputDelay::PositionForWord(delay.DelayWord, output, twoOutputs),
                            OutputDelay::Layout(output, twoOutputs));
    }
}

void ApplyDelayPositions(std::array<OutputDelay, 3>& delays, bool twoOutputs) {
    for (int output = 1; output <= OutputDelay::kOutputs; ++output) {
        OutputDelay& delay = delays[static_cast<std::size_t>(output - 1)];
        delay.ApplyPosition(delay.DelayPosition, OutputDelay::Layout(output, twoOutputs));
    }
}

void HoldDelaysToEditorRanges(std::array<OutputDelay, 3>& delays, std::int32_t& delayTemperature,
                              bool twoOutputs) {
    delayTemperature =
        std::clamp(delayTemperature, OutputDelay::kMinTemperature, OutputDelay::kMaxTemperature);
    for (int output = 1; output <= OutputDelay::kOutputs; ++output) {
        OutputDelay& delay = delays[static_cast<std::size_t>(output - 1)];
        delay.AlignmentDelay =
            std::clamp(delay.AlignmentDelay, 0, OutputDelay::MaxAlignmentDelay(output));
    }
    ApplyDelayPositions(delays, twoOutputs);
}

} // namespace veld23
