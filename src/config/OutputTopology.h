#pragma once

#include <cstdint>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;
class RealTimeSender;

// How the three output channels are used. ThreeOutputs: OUT 1, OUT 2 and a SUB fed
// with a mix of both inputs. TwoOutputs: the third channel becomes the second
// full-range output (shown as "OUT 2") and channel 2 is out of use.
enum class OutputTopology : std::uint8_t { TwoOutputs, ThreeOutputs };

// The processor memory and the configuration file keep the topology as one flag,
// set for TwoOutputs.
constexpr bool TopologyFlag(OutputTopology topology) {
    return topology == OutputTopology::TwoOutputs;
}
constexpr OutputTopology TopologyFromFlag(bool twoOutputs) {
    return twoOutputs ? OutputTopology::TwoOutputs : OutputTopology::ThreeOutputs;
}

// Real-time parameter of OUT 2's level: the topology commands use it to silence or
// restore channel 2 on the processor.
inline constexpr std::uint16_t kOutput2LevelParameter = 259;

// The topology commands. Each sets everything the topology decides in the
// configuration (topology, routing and, through the topology, the dynamics level
// offset) and, when the sender may send, parameters 187..190 with RouteA..RouteD
// and then 259. The only block values they touch are the dynamics thresholds,
// held to what their sliders span in the topology (so that what is designed,
// shown, stored and read back agree); applying one twice leaves the same state as
// once. The windows then re-read the queries below.
//
// TwoOutputs: RouteA..D = 0, 1, 0, 1, RouteState 2; 259 gets 0.0, silencing
// channel 2. ThreeOutputs: 0, 0, 0.5, 0.5, RouteState kept; 259 gets OUT 2's
// level as the gains editor hands it on (OutputGain x OutputOnFactor), so a muted
// OUT 2 stays silent on the processor.
void ApplyTwoOutputs(ProcessorConfiguration& config, RealTimeSender& sender);
void ApplyThreeOutputs(ProcessorConfiguration& config, RealTimeSender& sender);

// ---- What the windows offer in each topology.

// Dynamics record 1's level offset in dB (record 2's is always 6): levels are
// shown as dBu = dBFS + 29.5 - offset.
constexpr double Record1LevelOffset(OutputTopology topology) {
    return topology == OutputTopology::TwoOutputs ? 0.0 : 6.0;
}

// Output channel 1..3 has its controls (crossover, gain, delay, dynamics, speaker,
// measurement slot, label and indicators) offered. Only channel 2 is ever hidden.
constexpr bool ChannelOffered(OutputTopology topology, int output) {
    return output == 1 || output == 3 || (output == 2 && topology == OutputTopology::ThreeOutputs);
}

// The SUB path's own controls: the loudness button and the route button with its
// two value fields.
constexpr bool SubPathControlsOffered(OutputTopology topology) {
    return topology == OutputTopology::ThreeOutputs;
}

// Caption of dynamics record 1 or 2 in the dynamics window and its plot.
constexpr std::string_view DynamicsCaption(OutputTopology topology, int record) {
    if (topology == OutputTopology::TwoOutputs) {
        return record == 2 ? "Dynamic OUT 2" : "Dynamic OUT 1";
    }
    return record == 2 ? "Dynamic SUB" : "Dynamic OUT 1-2";
}

// Name of the third curve in the final response view.
constexpr std::string_view ThirdCurveName(OutputTopology topology) {
    return topology == OutputTopology::TwoOutputs ? "OUT 2" : "SUB";
}

// Colour (0xRRGGBB) of the third output's curve in the crossover and final
// response plots: red where it is the second full-range output, else yellow.
inline constexpr std::uint32_t kRedCurve = 0xFF0000;
inline constexpr std::uint32_t kYellowCurve = 0xFFFF00;
constexpr std::uint32_t ThirdCurveColour(OutputTopology topology) {
    return topology == OutputTopology::TwoOutputs ? kRedCurve : kYellowCurve;
}

} // namespace veld23
