#pragma once

#include "config/OutputDelay.h"
#include "config/RealTimeSender.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// The output delay editor without its window: one slider per output with read-only
// millisecond and centimetre fields, the air temperature in degrees C and F, the
// "Relative Distance Between Speakers" fields with their alignment delays, the
// distance picture and AutoAlign. Outputs are numbered 1 to 3; other numbers are
// ignored.
//
// The topology is asked for on every use, so the controller never works from a stale
// copy after a topology command, a file or a memory read.
class DelayController {
  public:
    static constexpr int kOutputs = OutputDelay::kOutputs;
    // Real-time parameters of the three delay words: 182, 183, 184.
    static constexpr std::uint16_t kFirstDelayParameter = 182;
    static constexpr double kMaxMsFull = 5.43;
    static constexpr double kMaxMsThird = 3.43;
    static constexpr double kMaxCm = 250.0;
    static constexpr double kMaxDistanceCm = 200.0;
    static constexpr int kPictureLength = 50; // pixels of a full-scale arrow

    struct Model {
        std::array<OutputDelay, kOutputs>& delays;
        std::int32_t& delayTemperature;       // degrees Celsius
        const std::int32_t& lookAheadSamples; // dynamics record 1
        std::function<bool()> twoOutputs;
    };

    DelayController(Model model, RealTimeSender& sender);
    // Bound to the configuration's delays, temperature, topology and dynamics record 1.
    DelayController(ProcessorConfiguration& config, RealTimeSender& sender);

    // Distance pictures and the final response view; left unset during start-up.
    void SetRedraw(std::function<void()> redraw);

    bool TwoOutputs() const { return model_.twoOutputs(); }
    DelayLayout Layout(int output) const;
    std::int32_t SliderMaximum(int output) const { return Layout(output).sliderMaximum; }

    // Slider moved: the slider change of that output (held to 0..maximum).
    void SetDelayPosition(int output, std::int32_t position);
    std::int32_t DelayPosition(int output) const;
    std::int32_t DelayWord(int output) const;
    std::int32_t DisplaySamples(int output) const;
    double DelayMs(int output) const;
    double DelayCm(int output) const;
    std::string DelayMsText(int output) const;
    std::string DelayCmText(int output) const;

    // Up or Down in the millisecond or centimetre field: one sample more or less.
    void DelayFieldUp(int output);
    void DelayFieldDown(int output);

    // Temperature fields. Setting either runs the slider change of every output so the
    // centimetres follow; the words do not change.
    void SetTemperatureC(std::int32_t celsius);
    void SetTemperatureF(std::int32_t fahrenheit);
    std::int32_t TemperatureC() const { return model_.delayTemperature; }
    std::int32_t TemperatureF() const;
    // Typed temperatures: the nearest whole degree, held to the field's range; text
    // that is not a number changes nothing.
    void EnterTemperatureC(std::string_view text);
    void EnterTemperatureF(std::string_view text);

    // Distance fields: Up and Down move an output by one sample of sound travel.
    void DistanceUp(int output);
    void DistanceDown(int output);
    // A typed distance: held to 0..200 cm, taken as the nearest whole sample of sound
    // travel (no more than the keys reach) and shown as that; then the alignment delays
    // follow as after a key. Text that is not a number changes nothing.
    void EnterDistance(int output, std::string_view text);
    const std::string& DistanceText(int output) const;
    double DistanceCm(int output) const;
    std::int32_t AlignmentDelay(int output) const;

    // Arrow length in pixels between an output's speaker symbol and its delay.
    std::int32_t DistancePictureLength(int output) const;

    // Sets all three sliders from the alignment delays and the dynamics look-ahead.
    void AutoAlign();

    // Window activation, and a changed look-ahead: the slider change of every output
    // (so in Real Time mode the three delays are sent).
    void Activate();
    // The editor's creation step, re-run after the topology chooser: every output at
    // zero delay and 25 degrees Celsius. Sends nothing.
    void CreationStep();
    // New: the creation step plus distances and alignment delays cleared.
    void ResetToNew();
    // After a file or a memory has been loaded: the distance fields from the stored
    // alignment delays at the stored temperature.
    void DistancesFromAlignment();

  private:
    static bool Valid(int output) { return output >= 1 && output <= kOutputs; }
    static std::size_t Index(int output) { return static_cast<std::size_t>(output - 1); }
    OutputDelay& Delay(int output) { return model_.delays[Index(output)]; }
    const OutputDelay& Delay(int output) const { return model_.delays[Index(output)]; }

    void SliderChange(int output, std::int32_t position);
    void AllSliderChanges();
    void SetDelayWordByKey(int output, std::int32_t word);
    void DistanceKey(int output, bool up);
    std::array<std::int32_t, kOutputs> AlignmentFromDistances(float c) const;
    void ShowAlignmentDistance(int output, std::int32_t samples, float c);
    void StoreAlignment(const std::array<std::int32_t, kOutputs>& alignment);
    void ShowDistance(int output, double cm);

    Model model_;
    RealTimeSender& sender_;
    std::function<void()> redraw_;
    std::array<std::string, kOutputs> distanceText_{};
    std::array<double, kOutputs> distanceCm_{};
};

} // namespace veld23
