#pragma once

#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/LoadedConfigurationSteps.h"
#include "config/NewConfigurationSteps.h"
#include "config/ProcessorConfiguration.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veld23::testing {

// Records which update step ran, in order, so a test can tell that a loader restores
// first and refreshes in its order; `during` lets a test look at the configuration at
// the moment a step runs.
class RecordingLoadedSteps : public LoadedConfigurationSteps {
    using Config = ProcessorConfiguration;

  public:
    std::vector<std::string> calls;
    std::function<void(const std::string&, Config&)> during;

    void TopologyApplied(Config& c) override { Record("TopologyApplied", c); }
    void RefreshEqualiser(Config& c, int input) override { Record("RefreshEqualiser", c, input); }
    void RefreshCrossover(Config& c, int output) override { Record("RefreshCrossover", c, output); }
    void RefreshLoudness(Config& c) override { Record("RefreshLoudness", c); }
    void RefreshDynamics(Config& c, int record) override { Record("RefreshDynamics", c, record); }
    void RefreshGainsFromFile(Config& c) override { Record("RefreshGainsFromFile", c); }
    void RefreshGainsFromPositions(Config& c) override { Record("RefreshGainsFromPositions", c); }
    void RefreshDelays(Config& c) override { Record("RefreshDelays", c); }
    void RefreshDistances(Config& c) override { Record("RefreshDistances", c); }
    void LookAheadChanged(Config& c) override { Record("LookAheadChanged", c); }
    void ConfirmMeasurementImport(Config& c) override { Record("ConfirmMeasurementImport", c); }

  private:
    // A step of one input, output or record carries its number: "RefreshEqualiser2".
    void Record(const std::string& step, Config& c, int number) {
        Record(step + std::to_string(number), c);
    }
    void Record(const std::string& step, Config& c) {
        calls.push_back(step);
        if (during) {
            during(step, c);
        }
    }
};

// Records the steps of a new configuration in order: each editor's step by the group of
// the configuration it shows, with the configuration's JSON form at that moment.
class RecordingNewSteps : public NewConfigurationSteps {
    using Config = ProcessorConfiguration;

  public:
    std::vector<std::pair<std::string, std::string>> calls;

    void CloseWindows() override { calls.push_back({"CloseWindows", ""}); }
    void SwitchRealTimeOff() override { calls.push_back({"SwitchRealTimeOff", ""}); }
    void ResetGainsEditor(Config& c) override { Record("Levels", c); }
    void ResetCrossoverEditor(Config& c) override { Record("Crossovers", c); }
    void ResetPeqEditor(Config& c) override { Record("Peq", c); }
    void ResetDynamicsEditor(Config& c) override { Record("Dynamics", c); }
    void ResetDelayEditor(Config& c) override { Record("Delays", c); }
    void ResetLoudnessEditor(Config& c) override { Record("Loudness", c); }
    void ConfirmMeasurementImport(Config& c) override { Record("MeasurementImport", c); }

  private:
    void Record(const char* group, const Config& c) {
        calls.push_back({group, ConfigurationToJson(c)});
    }
};

// The texts opening a file shows, by kind.
class RecordingFileMessages : public ConfigurationFileMessages {
  public:
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
};

inline constexpr const char* kShowPath = "/shows/club.v23";

// Opens a file's bytes with Real Time mode off, as the application has it then, and
// keeps what the opening did.
struct FileOpening {
    RecordingLoadedSteps steps;
    RecordingFileMessages messages;
    RecordingRealTimeSender sender;

    ConfigurationOpenResult Open(ProcessorConfiguration& config,
                                 std::span<const std::uint8_t> bytes,
                                 const std::string& path = kShowPath) {
        sender.mode = false;
        return OpenConfigurationBytes(config, bytes, path, sender, steps, messages);
    }
};

// What was sent, as (parameter, value) pairs, each checked to be a plain value message.
using Sent = std::vector<std::pair<std::uint16_t, double>>;
inline Sent SentValues(const RecordingRealTimeSender& sender) {
    Sent sent;
    for (const RecordingRealTimeSender::Call& call : sender.calls) {
        EXPECT_EQ(call.kind, RecordingRealTimeSender::Kind::Value) << call.parameter;
        EXPECT_EQ(call.messageKind, 2) << call.parameter;
        sent.push_back({call.parameter, call.values[0]});
    }
    return sent;
}

} // namespace veld23::testing
