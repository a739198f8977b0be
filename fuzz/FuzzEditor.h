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
    SilentRealTimeSender sender;
    EditorSet editors;
};

} // namespace veld23::fuzz
