#pragma once

#include "config/FixedText.h"

#include <cstddef>
#include <string_view>

namespace veld23 {

// The user's names for the inputs and outputs. They are labels only, but they
// travel in the processor memory and the configuration file.
struct ChannelLabelTexts {
    static constexpr std::size_t kCapacity = 6;
    using Label = FixedText<kCapacity>;

    Label In1{"In1"};
    Label In2{"In2"};
    Label Out1{"Out1"};
    Label Out2{"Out2"};
    Label Sub{"SUB"};

    friend bool operator==(const ChannelLabelTexts&, const ChannelLabelTexts&) = default;
};

} // namespace veld23
