#pragma once

#include "config/ConfigurationFile.h"
#include "config/LoadedConfigurationSteps.h"
#include "config/ProcessorConfiguration.h"

#include <functional>
#include <string>
#include <vector>

namespace veld23::testing {

// Records which update step ran, in order, with what the configuration held at that
// moment, so a test can tell that a loader restores first and refreshes in its order;
// `during` lets a test look at the configuration at the moment a step runs.
class RecordingLoadedSteps : public LoadedConfigurationSteps {
  public:
    struct Call {
        std::string step;
        std::int32_t routeState;
        double routeC;
        OutputTopology topology;
        std::int32_t lookAhead;
        std::int32_t delayPosition1;
    };
    std::vector<Call> calls;
    std::function<void(const std::string&, ProcessorConfiguration&)> during;

    std::vector<std::string> Steps() const {
        std::vector<std::string> names;
        for (const Call& c : calls) {
            names.push_back(c.step);
        }
        return names;
    }

    void TopologyApplied(ProcessorConfiguration& c) override { Record("TopologyApplied", c); }
    void RefreshEqualiser(ProcessorConfiguration& c, int input) override {
        Record("RefreshEqualiser" + std::to_string(input), c);
    }
    void RefreshCrossover(ProcessorConfiguration& c, int output) override {
        Record("RefreshCrossover" + std::to_string(output), c);
    }
    void RefreshLoudness(ProcessorConfiguration& c) override { Record("RefreshLoudness", c); }
    void RefreshDynamics(ProcessorConfiguration& c, int record) override {
        Record("RefreshDynamics" + std::to_string(record), c);
    }
    void RefreshGainsFromFile(ProcessorConfiguration& c) override {
        Record("RefreshGainsFromFile", c);
    }
    void RefreshGainsFromPositions(ProcessorConfiguration& c) override {
        Record("RefreshGainsFromPositions", c);
    }
    void RefreshDelays(ProcessorConfiguration& c) override { Record("RefreshDelays", c); }
    void RefreshDistances(ProcessorConfiguration& c) override { Record("RefreshDistances", c); }
    void LookAheadChanged(ProcessorConfiguration& c) override { Record("LookAheadChanged", c); }
    void ConfirmMeasurementImport(ProcessorConfiguration& c) override {
        Record("ConfirmMeasurementImport", c);
    }

  private:
    void Record(const std::string& step, ProcessorConfiguration& c) {
        calls.push_back({step, c.Routing.RouteState, c.Routing.RouteC, c.Topology,
                         c.Dynamics[0].LookAheadSamples, c.Delays[0].DelayPosition});
        if (during) {
            during(step, c);
        }
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

} // namespace veld23::testing
