#pragma once

#include "config/FixedText.h"

#include <array>
#include <cstdint>

namespace veld23 {

class RealTimeSender;

// Real-time parameter numbers of the four mix amounts.
inline constexpr std::uint16_t kRouteAParameter = 187;
inline constexpr std::uint16_t kRouteBParameter = 188;
inline constexpr std::uint16_t kRouteCParameter = 189;
inline constexpr std::uint16_t kRouteDParameter = 190;

// How the two inputs are mixed into the output channels. RouteC and RouteD are the
// amounts of IN 1 and IN 2 fed to the third channel; RouteA and RouteB only ever
// take the values the topology commands give them.
struct InputRouting {
    static constexpr int kStates = 3;
    using Caption = FixedText<24>;

    std::int32_t RouteState = 0; // 0: both halves, 1: IN 1 only, 2: IN 2 only
    double RouteA = 0.0;
    double RouteB = 0.0;
    double RouteC = 0.5;
    double RouteD = 0.5;

    // The route button: RouteState 0 -> 1 -> 2 -> 0 with its mix, then, when the
    // sender may send, RouteC as parameter 189 and RouteD as 190.
    void RouteCommand(RealTimeSender& sender);
    // RouteC and RouteD as the route command sends them, when the sender may send.
    void SendMix(RealTimeSender& sender) const;

    // The same step without sending, for a new configuration: Real Time mode has
    // been switched off by then.
    void AdvanceRoute();

    // Sets a state and its mix. A state outside 0..2 (only a damaged file or memory
    // can carry one) is taken as 0, the even mix.
    void SelectRoute(std::int32_t state);

    // RouteState held to 0..2, as the route button picture shows it.
    std::int32_t ShownRouteState() const;

    // The main window's two value fields: RouteC and RouteD as "0.5", "1", "0".
    // They follow the amounts, so after the three-output command they read
    // "0.5" and "0.5" whatever the state.
    std::array<Caption, 2> RouteCaptions() const;
};

} // namespace veld23
