#pragma once

#include "config/FixedText.h"

#include <string_view>

namespace veld23 {

inline constexpr std::string_view kNewSystemName = "NoName";

// Who and what a configuration is for. SystemName is the one name field: the main
// window and the system information window both show and edit it.
struct SystemInformationTexts {
    FixedText<40> SystemName{kNewSystemName}; // "PRESET NAME"
    FixedText<30> ProjectName;                // "PROJECT NAME"
    FixedText<30> Engineer;                   // "ENGINEER"
    FixedText<200> Comments;                  // "COMMENTS", may hold line breaks

    friend bool operator==(const SystemInformationTexts&, const SystemInformationTexts&) = default;
};

} // namespace veld23
