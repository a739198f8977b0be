#include "device/ApplyDeviceImage.h"

#include "config/LoadedConfigurationSteps.h"
#include "config/ProcessorConfiguration.h"
#include "device/ApplyDeviceImageSteps.h"
#include "device/DeviceImageLayout.h"

#include <algorithm>

namespace veld23 {

using namespace image_layout;

namespace {

std::string TooShortMessage(std::size_t received) {
    return "The memory read from the processor is incomplete: " + std::to_string(received) +
           " bytes arrived, but a memory holds at least " + std::to_string(kDeviceImageReadSize) +
           ". The configuration has not been changed.";
}

void ReadTopology(ProcessorConfiguration& config, const DeviceImageReader& image,
                  RealTimeSender& sender, LoadedConfigurationSteps& steps) {
    if (image.Flag(kImageTopologyOffset)) {
        ApplyTwoOutputs(config, sender);
    } else {
        ApplyThreeOutputs(config, sender);
    }
    steps.TopologyApplied(config);
}

template <std::size_t Capacity>
void ReadText(FixedText<Capacity>& text, const DeviceImageReader& image, std::size_t offset) {
    // Fixed-width fields come back with their padding: every byte is taken as it is.
    text.Clear();
    text.Assign(image.Text(offset, Capacity));
}

void ReadTexts(ProcessorConfiguration& config, const DeviceImageReader& image) {
    ChannelLabelTexts& labels = config.ChannelLabels;
    ReadText(config.SystemInformation.SystemName, image, kSystemNameOffset);
    ReadText(labels.In1, image, kIn1Offset);
    ReadText(labels.In2, image, kIn2Offset);
    ReadText(labels.Out1, image, kOut1Offset);
    ReadText(labels.Out2, image, kOut2Offset);
    ReadText(labels.Sub, image, kSubOffset);
}

// The memory keeps the route state itself; the editor arrives at it by one press of
// the route button, as the window does after every load, so the state stored here is
// the one before it. A state outside 0..2 is read as 0, the even mix. With two
// outputs the third channel is fed IN 2 alone (state 2) whatever the memory says,
// as the topology command and opening a file have it: what is read, saved and opened
// again then agrees.
void ReadRouting(ProcessorConfiguration& config, const DeviceImageReader& image) {
    InputRouting& r = config.Routing;
    r.RouteC = std::clamp(image.PanelByte(kRouteC) / static_cast<double>(kRouteScale), 0.0, 1.0);
    r.RouteD = std::clamp(image.PanelByte(kRouteD) / static_cast<double>(kRouteScale), 0.0, 1.0);
    constexpr std::int32_t kInput2Only = 2;
    const std::uint8_t stored = image.PanelByte(kRouteState);
    const std::int32_t state = config.Topology == OutputTopology::TwoOutputs ? kInput2Only
                               : stored < InputRouting::kStates              ? stored
                                                                             : 0;
    r.RouteState = (state + InputRouting::kStates - 1) % InputRouting::kStates;
}

void Refresh(ProcessorConfiguration& config, RealTimeSender& sender,
             LoadedConfigurationSteps& steps) {
    steps.RefreshEqualiser(config, 2);
    steps.RefreshEqualiser(config, 1);
    for (int output = 1; output <= ProcessorConfiguration::kOutputs; ++output) {
        steps.RefreshCrossover(config, output);
    }
    for (OutputLevel& level : config.Levels) {
        level.RestoreFromPosition(); // polarity from the switch, then the gain
    }
    steps.RefreshGainsFromPositions(config);
    steps.RefreshLoudness(config);
    config.Routing.RouteCommand(sender);
    ApplyDelayPositions(config.Delays, config.Topology == OutputTopology::TwoOutputs);
    steps.RefreshDelays(config);
    steps.RefreshDistances(config);
    // The codes just read changed the dynamics parameters; without a new design the
    // tables would still be the previous configuration's, and the next write would
    // send gains that do not match the panel.
    for (int record = 1; record <= ProcessorConfiguration::kDynamicsRecords; ++record) {
        TDYNAMIC& d = config.Dynamics[static_cast<std::size_t>(record - 1)];
        d.Design();
        d.BuildTable();
    }
    steps.RefreshDynamics(config, 2);
    steps.RefreshDynamics(config, 1);
}

} // namespace

Result<> ApplyDeviceImage(ProcessorConfiguration& config, std::span<const std::uint8_t> image,
                          RealTimeSender& sender, LoadedConfigurationSteps& steps) {
    if (image.size() < kDeviceImageReadSize) {
        return Result<>::Failure(TooShortMessage(image.size()));
    }
    const DeviceImageReader reader(image);

    ReadTopology(config, reader, sender, steps);
    ReadTexts(config, reader);
    ReadEqualisers(config, reader);
    ReadCrossovers(config, reader);
    ReadLoudness(config, reader);
    ReadLevels(config, reader);
    ReadDelays(config, reader);
    ReadDynamics(config, reader);
    steps.LookAheadChanged(config);
    ReadSpeakerSettings(config, reader);
    ReadRouting(config, reader);
    ReadAlignmentDelays(config, reader);
    ReadNoiseGates(config, reader);
    Refresh(config, sender, steps);
    return Result<>::Success();
}

} // namespace veld23
