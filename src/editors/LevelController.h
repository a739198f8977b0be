#pragma once

#include "config/OutputLevel.h"
#include "config/RealTimeSender.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// The output levels editor without its window: per output a level slider, a level
// field, a mute and a polarity switch, plus the mute indication the main window
// shows. Outputs are numbered 1 to 3; other numbers are ignored.
//
// The level field holds text; its value is the text read back, so what the processor
// receives is always the level shown (one decimal).
class LevelController {
  public:
    static constexpr int kOutputs = 3;
    // Real-time parameters of the three output gains: 258, 259, 260.
    static constexpr std::uint16_t kFirstGainParameter = 258;
    static constexpr std::uint8_t kValueMessage = 2;
    static constexpr double kLevelStepDb = 0.1;

    LevelController(std::array<OutputLevel, kOutputs>& levels, RealTimeSender& sender);
    LevelController(ProcessorConfiguration& config, RealTimeSender& sender);

    // The final response view; left unset while the application starts up, as there is
    // nothing to redraw yet.
    void SetRedrawFinalResponse(std::function<void()> redraw);

    // Slider moved: the level change of that output.
    void SetLevelPosition(int output, std::int32_t position);
    std::int32_t LevelPosition(int output) const;

    // Level field. Typing only changes the text; Enter, Up and Down take it.
    const std::string& LevelText(int output) const;
    void SetLevelText(int output, std::string_view text);
    void LevelEnter(int output);
    void LevelUp(int output);
    void LevelDown(int output);
    // The level the field holds (its text read back when it was last taken).
    double OutputLevelDb(int output) const;

    // Switches: each click toggles.
    void ToggleMute(int output);
    void TogglePolarity(int output);
    bool MuteLit(int output) const;
    bool PolarityLit(int output) const;

    // After a configuration file has been opened: polarity and on factor from the
    // switches, the level fields from |OutputGain|, then ActualizaTracks.
    void ActualizaValores();
    // Every slider set from its level field (running each output's level change).
    void ActualizaTracks();
    // The main window's mute indication of every output from its switch.
    void ActualizaMainMute();

    // Main window: the "MUTE" label and marker of an output, and whether its channel
    // label field can be edited.
    bool MainMuteShown(int output) const;
    bool ChannelLabelEnabled(int output) const;

    // Editors read the configuration when shown: fields and switches from the records.
    void Show();
    // Start-up and New: every output back to 0 dB, unmuted, normal polarity, and the
    // main window's mute indication hidden. Sends nothing.
    void ResetToNew();

  private:
    static bool Valid(int output) { return output >= 1 && output <= kOutputs; }
    OutputLevel& Level(int output) { return levels_[static_cast<std::size_t>(output - 1)]; }
    const OutputLevel& Level(int output) const {
        return levels_[static_cast<std::size_t>(output - 1)];
    }

    void LevelChange(int output, std::int32_t position);
    void SendAndRedraw(int output);
    void TakeLevel(int output, double levelDb);
    void ShowLevel(int output, double levelDb);
    double TypedLevel(int output) const;

    std::array<OutputLevel, kOutputs>& levels_;
    RealTimeSender& sender_;
    std::function<void()> redrawFinalResponse_;

    std::array<std::string, kOutputs> levelText_{};
    std::array<double, kOutputs> levelDb_{};
    std::array<bool, kOutputs> mainMuteShown_{};
};

} // namespace veld23
