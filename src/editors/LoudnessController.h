#pragma once

#include "dsp/LoudnessSection.h"
#include "dsp/Response.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace veld23 {

class CrossoverController;
class ProcessorConfiguration;
class RealTimeSender;

// The loudness controls ("SUB Reinforcement") without their window: a frequency slider (positions
// 0..51 for 80..29 Hz) with a read-only whole-hertz display, a gain slider
// (positions 0..121 for +12.0..0.0 dB) with its one-decimal display, and the
// "Param" and "High P." type buttons. Every change redesigns loudness section 1,
// sends it in Real Time mode, evaluates its response and has the crossover view
// redraw the SUB curve, which includes it.
class LoudnessController {
  public:
    static constexpr std::string_view kWindowCaption = "SUB Reinforcement";
    static constexpr std::string_view kParamCaption = "Param";
    static constexpr std::string_view kParamHint = "Parametric Filter";
    static constexpr std::string_view kHighPassCaption = "High P.";
    static constexpr std::string_view kHighPassHint = "High Pass filter";
    static constexpr std::array<std::string_view, 3> kFrequencyMarks = {"30 Hz ", "55 Hz ",
                                                                        "80 Hz "};
    static constexpr std::array<std::string_view, 3> kGainMarks = {"0 dB ", "+6 dB ", "+12 dB "};

    // The crossover view is created first and outlives this controller; its SUB curve
    // reads this controller's response from now on.
    LoudnessController(ProcessorConfiguration& config, RealTimeSender& sender,
                       CrossoverController& crossover);
    ~LoudnessController();
    LoudnessController(const LoudnessController&) = delete;
    LoudnessController& operator=(const LoudnessController&) = delete;

    void SetRedrawFinalResponse(std::function<void()> redraw);

    // Slider moved (held to the slider's range).
    void SetFrequencyPosition(int position);
    void SetGainPosition(int position);
    int FrequencyPosition() const { return frequencyPosition_; }
    int GainPosition() const { return gainPosition_; }
    const std::string& FrequencyText() const { return frequencyText_; }
    const std::string& GainText() const { return gainText_; }

    // Type buttons: exactly one is lit.
    void ChooseParam();
    void ChooseHighPass();
    bool ParamLit() const { return !HighPassLit(); }
    bool HighPassLit() const;

    // The window is shown, a file has been opened or a memory read: the sliders and
    // the type from the section, then its design, send and redraw. Any type but
    // "High P." lights (and becomes) "Param".
    void Show();
    // New: the section is back at its defaults; the controls follow it.
    void ResetToNew() { Show(); }

    // Loudness response as last evaluated (the final response reads it too).
    const ResponseCurve& Response() const { return response_; }

  private:
    LoudnessSection& Section();
    const LoudnessSection& Section() const;
    void Apply();

    ProcessorConfiguration& config_;
    RealTimeSender& sender_;
    CrossoverController& crossover_;
    std::function<void()> redrawFinalResponse_;

    int frequencyPosition_ = 0;
    int gainPosition_ = 0;
    std::string frequencyText_;
    std::string gainText_;
    ResponseCurve response_{};
};

} // namespace veld23
