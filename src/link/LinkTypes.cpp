#include "link/LinkTypes.h"

#include <array>

namespace veld23::link {

std::uint32_t BaudRateOf(ComPortSpeed speed) {
    static constexpr std::array<std::uint32_t, 13> kRates = {
        110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};
    return kRates.at(static_cast<std::size_t>(speed));
}

int PortIndexOf(ComPortNumber port) {
    return static_cast<int>(port) + 1;
}

const char* ComPortLabel(ComPortNumber port) {
    static constexpr std::array<const char*, 4> kLabels = {"COM1", "COM2", "COM3", "COM4"};
    return kLabels.at(static_cast<std::size_t>(port));
}

} // namespace veld23::link
