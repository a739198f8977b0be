#include "config/OutputTopology.h"

#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"

namespace veld23 {

namespace {

constexpr std::uint8_t kValueMessageKind = 2;

void SendRouting(const ProcessorConfiguration& config, RealTimeSender& sender,
                 double output2Level) {
    const InputRouting& r = config.Routing;
    sender.SendRealTimeValue(kRouteAParameter, kValueMessageKind, r.RouteA);
    sender.SendRealTimeValue(kRouteBParameter, kValueMessageKind, r.RouteB);
    sender.SendRealTimeValue(kRouteCParameter, kValueMessageKind, r.RouteC);
    sender.SendRealTimeValue(kRouteDParameter, kValueMessageKind, r.RouteD);
    sender.SendRealTimeValue(kOutput2LevelParameter, kValueMessageKind, output2Level);
}

} // namespace

void ApplyTwoOutputs(ProcessorConfiguration& config, RealTimeSender& sender) {
    config.Topology = OutputTopology::TwoOutputs;
    config.HoldThresholdsToSliders();
    InputRouting& r = config.Routing;
    r.RouteC = 0.0;
    r.RouteD = 1.0;
    r.RouteState = 2;
    r.RouteA = 0.0;
    r.RouteB = 1.0;
    if (sender.CanSend()) {
        SendRouting(config, sender, 0.0);
    }
}

void ApplyThreeOutputs(ProcessorConfiguration& config, RealTimeSender& sender) {
    config.Topology = OutputTopology::ThreeOutputs;
    config.HoldThresholdsToSliders();
    InputRouting& r = config.Routing;
    r.RouteC = 0.5;
    r.RouteD = 0.5;
    r.RouteA = 0.0;
    r.RouteB = 0.0;
    if (sender.CanSend()) {
        // What the gains editor itself would send for OUT 2: sending the bare gain
        // would let a channel the editor shows muted play on the processor.
        const OutputLevel& out2 = config.Levels[1];
        SendRouting(config, sender, out2.OutputGain * out2.OutputOnFactor);
    }
}

} // namespace veld23
