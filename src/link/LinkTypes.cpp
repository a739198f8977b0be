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

const char* ComPortCaption(ComPortNumber port) {
    static constexpr std::array<const char*, 4> kCaptions = {"COM 1", "COM 2", "COM 3", "COM 4"};
    return kCaptions.at(static_cast<std::size_t>(port));
}

std::string DefaultPortPath(ComPortNumber port) {
#ifdef _WIN32
    return ComPortLabel(port);
#else
    return "/dev/ttyS" + std::to_string(PortIndexOf(port) - 1);
#endif
}

} // namespace veld23::link
