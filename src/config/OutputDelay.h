#pragma once

#include <array>
#include <cstdint>

namespace veld23 {

// Where a delay slider's positions lie for one output in one topology.
// With s = base - position, the delay shown is s + displayOffset samples and the
// processor receives s + wordOffset samples. The third output in the three-output
// topology (the SUB) always runs 21 samples behind what it shows, and OUT 1 in the
// two-output topology one sample, which the offsets carry.
struct DelayLayout {
    std::int32_t base;
    std::int32_t displayOffset;
    std::int32_t wordOffset;
    std::int32_t sliderMaximum;
    std::int32_t zeroPosition; // the position that shows no delay
};

// Delay of one output channel, in whole samples at the fixed sampling rate.
// Outputs are numbered 1 to 3 in the functions below; larger slider positions mean
// less delay.
struct OutputDelay {
    static constexpr int kOutputs = 3;
    static constexpr std::int32_t kMaxSamples = 165;
    static constexpr std::int32_t kDefaultTemperature = 25; // degrees Celsius
    static constexpr std::int32_t kMinTemperature = 0;
    static constexpr std::int32_t kMaxTemperature = 50;
    // The distance keys stop an output's alignment delay here.
    static constexpr std::int32_t kMaxAlignmentFull = 164;
    static constexpr std::int32_t kMaxAlignmentThird = 141;

    // Zero delay of OUT 2, the most common position; ResetDelays sets each output's own.
    std::int32_t DelayPosition = 164;
    std::int32_t DelayWord = 0;      // samples, written to the processor
    std::int32_t AlignmentDelay = 0; // samples, from the distance fields or auto-align

    // The layout of output 1..3; anything above 3 is taken as the third output.
    static DelayLayout Layout(int output, bool twoOutputs);

    // The slider position that gives a stored DelayWord, held to the slider's range.
    // Loaders and the delay field keys place the slider with it.
    static std::int32_t PositionForWord(std::int32_t word, int output, bool twoOutputs);

    static std::int32_t MaxAlignmentDelay(int output) {
        return output >= 3 ? kMaxAlignmentThird : kMaxAlignmentFull;
    }

    // s of the present position: the delay before the display and word offsets.
    std::int32_t Samples(const DelayLayout& layout) const { return layout.base - DelayPosition; }
    // The delay as shown, in samples. The slider's far end gives -1 there, shown as 0.
    std::int32_t DisplaySamples(const DelayLayout& layout) const;

    // The slider law: stores the position (held to 0..maximum) and the DelayWord it
    // gives. The word is held to 0..165: the far end of a slider, one position past
    // zero delay, would otherwise give -1, which the processor would read as 65535.
    void ApplyPosition(std::int32_t position, const DelayLayout& layout);
};

// Speed of sound in m/s at an air temperature in degrees Celsius (346.3 at 25).
double SpeedOfSound(std::int32_t temperatureC);

// The distance a number of samples of sound travel covers, in cm.
double AlignmentDistanceCm(std::int32_t samples, std::int32_t temperatureC);

// Every output at the topology's zero-delay position, with its DelayWord.
void ZeroDelays(std::array<OutputDelay, 3>& delays, bool twoOutputs);

// A new configuration, in place: zero delays for the topology, no alignment delays,
// 25 degrees Celsius.
void ResetDelays(std::array<OutputDelay, 3>& delays, std::int32_t& delayTemperature,
                 bool twoOutputs);

// Loading: the positions from the stored DelayWord values, then the words again from
// those positions (so a word the slider cannot show ends as the nearest it can).
void ApplyDelayWords(std::array<OutputDelay, 3>& delays, bool twoOutputs);

// Loading: the words from stored positions.
void ApplyDelayPositions(std::array<OutputDelay, 3>& delays, bool twoOutputs);

// Loaded values held to what the editor can produce: positions to the sliders,
// alignment delays to what the distance keys reach, the temperature to its field.
// Words are then recomputed from the positions.
void HoldDelaysToEditorRanges(std::array<OutputDelay, 3>& delays, std::int32_t& delayTemperature,
                              bool twoOutputs);

} // namespace veld23
