#include "config/InputRouting.h"

#include "config/RealTimeSender.h"

#include <cstdio>

namespace veld23 {

namespace {

// Mix amounts go out as plain value messages.
constexpr std::uint8_t kValueMessageKind = 2;

struct Mix {
    double c;
    double d;
};
constexpr std::array<Mix, InputRouting::kStates> kMixOfState = {
    {{0.5, 0.5}, {1.0, 0.0}, {0.0, 1.0}}};

InputRouting::Caption CaptionOf(double amount) {
    // Fifteen significant digits show the usual amounts as "0.5", "1" and "0", and
    // anything a file carried without inventing digits.
    char text[InputRouting::Caption::kCapacity + 1] = {};
    std::snprintf(text, sizeof text, "%.15g", amount);
    return InputRouting::Caption(text);
}

} // namespace

std::int32_t InputRouting::ShownRouteState() const {
    return RouteState >= 0 && RouteState < kStates ? RouteState : 0;
}

void InputRouting::SelectRoute(std::int32_t state) {
    RouteState = state >= 0 && state < kStates ? state : 0;
    RouteC = kMixOfState[RouteState].c;
    RouteD = kMixOfState[RouteState].d;
}

void InputRouting::AdvanceRoute() {
    SelectRoute((ShownRouteState() + 1) % kStates);
}

void InputRouting::RouteCommand(RealTimeSender& sender) {
    AdvanceRoute();
    SendMix(sender);
}

void InputRouting::SendMix(RealTimeSender& sender) const {
    if (sender.CanSend()) {
        sender.SendRealTimeValue(kRouteCParameter, kValueMessageKind, RouteC);
        sender.SendRealTimeValue(kRouteDParameter, kValueMessageKind, RouteD);
    }
}

std::array<InputRouting::Caption, 2> InputRouting::RouteCaptions() const {
    return {CaptionOf(RouteC), CaptionOf(RouteD)};
}

} // namespace veld23
