#pragma once

namespace veld23 {

// Which blocks the final response view adds up. They belong to the configuration
// (the file keeps them), unlike the view's curve selectors.
struct FinalResponseSelections {
    bool SpkData = true;  // "SPEAKERS DATA"
    bool PEQBox = true;   // "PEQS"
    bool XOVERBox = true; // "XOVER"
    bool GAINBox = true;  // "GAIN"
    bool DelayBox = true; // "DELAY"

    friend bool operator==(const FinalResponseSelections&,
                           const FinalResponseSelections&) = default;
};

} // namespace veld23
