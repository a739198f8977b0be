#pragma once

#include "config/ConfigurationInvariants.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingSteps.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "device/Encodings.h"
#include "dsp/PeqRules.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>

namespace veld23::testing {

// A new configuration as the topology chooser makes it: the reset, the topology
// command, then the delay editor's creation step for that topology.
inline void MakeNew(ProcessorConfiguration& config,
                    OutputTopology topology = OutputTopology::TwoOutputs) {
    RecordingNewSteps steps;
    RecordingRealTimeSender sender;
    sender.mode = false;
    config.ResetToNew(steps);
    if (topology == OutputTopology::TwoOutputs) {
        ApplyTwoOutputs(config, sender);
    } else {
        ApplyThreeOutputs(config, sender);
    }
    ZeroDelays(config.Delays, topology == OutputTopology::TwoOutputs);
}

inline void SetBand(TSOS& band, std::uint8_t type, double hz, double gainDb, double q) {
    band.SectionType = type;
    band.Frequency = hz;
    band.GainDb = gainDb;
    band.Q = q;
    RedesignBand(band);
}

inline void SetHalf(TXOVERPB& half, std::uint8_t family, int order, double hz) {
    half.Family = family;
    half.Order = order;
    half.Frequency = hz;
    half.Sections[0].Frequency = hz;
    half.Sections[1].Frequency = hz;
    ASSERT_EQ(half.Design(), HalfDesignStatus::Ok);
}

// Applies with a quiet sender and recording steps; returns whether it was applied.
inline bool Apply(ProcessorConfiguration& config, std::span<const std::uint8_t> image) {
    RecordingRealTimeSender sender;
    sender.mode = false;
    RecordingLoadedSteps steps;
    return ApplyDeviceImage(config, image, sender, steps).Succeeded();
}

// The three bytes of word w of processor block 1 or 2.
inline Coef22Bytes WordAt(const DeviceImage& image, int block, std::size_t word) {
    const std::size_t at =
        (block == 1 ? kProcessorBlock1Offset : kProcessorBlock2Offset) + 3 * word;
    return {image[at], image[at + 1], image[at + 2]};
}

} // namespace veld23::testing
