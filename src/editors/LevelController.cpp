#include "editors/LevelController.h"

#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"

#include <utility>

namespace veld23 {

namespace {

const std::string kNoText;

std::size_t Index(int output) {
    return static_cast<std::size_t>(output - 1);
}

} // namespace

LevelController::LevelController(std::array<OutputLevel, kOutputs>& levels, RealTimeSender& sender)
    : levels_(levels), sender_(sender) {
    Show();
    ActualizaMainMute();
}

LevelController::LevelController(ProcessorConfiguration& config, RealTimeSender& sender)
    : LevelController(config.Levels, sender) {}

void LevelController::SetRedrawFinalResponse(std::function<void()> redraw) {
    redrawFinalResponse_ = std::move(redraw);
}

void LevelController::SetLevelPosition(int output, std::int32_t position) {
    if (Valid(output)) {
        LevelChange(output, position);
    }
}

std::int32_t LevelController::LevelPosition(int output) const {
    return Valid(output) ? Level(output).LevelPosition : OutputLevel::kDefaultPosition;
}

const std::string& LevelController::LevelText(int output) const {
    return Valid(output) ? levelText_[Index(output)] : kNoText;
}

void LevelController::SetLevelText(int output, std::string_view text) {
    if (Valid(output)) {
        levelText_[Index(output)].assign(text);
    }
}

double LevelController::OutputLevelDb(int output) const {
    return Valid(output) ? levelDb_[Index(output)] : 0.0;
}

double LevelController::TypedLevel(int output) const {
    // Text that is not a number leaves the level the field last held.
    double typed = levelDb_[Index(output)];
    field_number::Parse(levelText_[Index(output)], typed);
    return typed;
}

void LevelController::LevelEnter(int output) {
    if (Valid(output)) {
        TakeLevel(output, TypedLevel(output));
    }
}

void LevelController::LevelUp(int output) {
    if (Valid(output)) {
        TakeLevel(output, TypedLevel(output) + kLevelStepDb);
    }
}

void LevelController::LevelDown(int output) {
    if (Valid(output)) {
        TakeLevel(output, TypedLevel(output) - kLevelStepDb);
    }
}

void LevelController::TakeLevel(int output, double levelDb) {
    ShowLevel(output, levelDb);
    // Moving the slider to the level's position runs the level change, which derives
    // the gain from the position; for a one-decimal level that is the same level.
    LevelChange(output, OutputLevel::PositionFromLevelDb(levelDb_[Index(output)]));
}

void LevelController::ShowLevel(int output, double levelDb) {
    const double held = OutputLevel::HoldLevelDb(levelDb);
    levelText_[Index(output)] = field_number::Text(held, 1);
    levelDb_[Index(output)] = held;
}

void LevelController::LevelChange(int output, std::int32_t position) {
    OutputLevel& level = Level(output);
    level.ApplyPosition(position);
    ShowLevel(output, level.LevelDb());
    SendAndRedraw(output);
}

void LevelController::SendAndRedraw(int output) {
    if (sender_.CanSend()) {
        sender_.SendRealTimeValue(static_cast<std::uint16_t>(kFirstGainParameter + output - 1),
                                  kValueMessage, Level(output).DeviceValue());
    }
    if (redrawFinalResponse_) {
        redrawFinalResponse_();
    }
}

void LevelController::ToggleMute(int output) {
    if (!Valid(output)) {
        return;
    }
    OutputLevel& level = Level(output);
    level.OutputMuted = !level.OutputMuted;
    level.OutputOnFactor = level.OutputMuted ? 0.0 : 1.0;
    mainMuteShown_[Index(output)] = level.OutputMuted;
    SendAndRedraw(output);
}

void LevelController::TogglePolarity(int output) {
    if (!Valid(output)) {
        return;
    }
    OutputLevel& level = Level(output);
    level.OutputInverted = !level.OutputInverted;
    level.OutputPolarity = level.OutputInverted ? -1.0f : 1.0f;
    LevelChange(output, level.LevelPosition);
}

bool LevelController::MuteLit(int output) const {
    return Valid(output) && Level(output).OutputMuted;
}

bool LevelController::PolarityLit(int output) const {
    return Valid(output) && Level(output).OutputInverted;
}

void LevelController::ActualizaValores() {
    for (int output = 1; output <= kOutputs; ++output) {
        OutputLevel& level = Level(output);
        level.RestoreFromGain();
        ShowLevel(output, level.LevelDb());
    }
    ActualizaTracks();
}

void LevelController::ActualizaTracks() {
    for (int output = 1; output <= kOutputs; ++output) {
        LevelChange(output, OutputLevel::PositionFromLevelDb(levelDb_[Index(output)]));
    }
}

void LevelController::ActualizaMainMute() {
    for (int output = 1; output <= kOutputs; ++output) {
        mainMuteShown_[Index(output)] = Level(output).OutputMuted;
    }
}

bool LevelController::MainMuteShown(int output) const {
    return Valid(output) && mainMuteShown_[Index(output)];
}

bool LevelController::ChannelLabelEnabled(int output) const {
    return Valid(output) && !mainMuteShown_[Index(output)];
}

void LevelController::Show() {
    for (int output = 1; output <= kOutputs; ++output) {
        ShowLevel(output, Level(output).LevelDb());
    }
}

void LevelController::ResetToNew() {
    ResetLevels(levels_);
    Show();
    ActualizaMainMute();
}

} // namespace veld23
