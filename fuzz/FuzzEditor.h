#pragma once

#include "config/ConfigurationJson.h"
#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"
#include "device/DeviceImage.h"
#include "editors/EditorSet.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace veld23::fuzz {

// A broken invariant is a crash for libFuzzer, which then keeps the input that caused it.
inline void Require(bool holds, const char* invariant, const std::string& detail = {}) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n%s\n", invariant, detail.c_str());
        std::abort();
    }
}

// Real Time mode is never on: an edit sends nothing.
class SilentSender final : public RealTimeSender {
  public:
    bool RealTimeMode() const override { return false; }
    bool RealTimeBusy() const override { return false; }
    void SendRealTimeValue(std::uint16_t, std::uint8_t, double) override {}
    void SendRealTimeFive(std::uint8_t, const std::array<double, 5>&) override {}
    void SendRealTimeInteger(std::uint16_t, std::uint16_t) override {}
};

// The editor without its windows, made as the program starts, so that opening, reading
// and saving end exactly as they do in the editor. The measurement import does not run:
// paths inside fuzzed input must not make the fuzzer read files.
class FuzzEditor {
  public:
    FuzzEditor() : editors(config, sender) { editors.ChooseTopology(OutputTopology::TwoOutputs); }

    // Every stored field and every byte the processor would receive: what "changed"
    // means for a configuration.
    std::string State() const {
        const DeviceImage image = BuildDeviceImage(config);
        return ConfigurationToJson(config) + std::string(image.begin(), image.end());
    }

    ProcessorConfiguration config;
    SilentSender sender;
    EditorSet editors;
};

} // namespace veld23::fuzz
