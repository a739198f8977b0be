#include "commands/PortChoice.h"

#include "link/UsbPort.h"

#include <stdexcept>

namespace veld23::commands {

using link::ComPortNumber;

namespace {

std::size_t IndexOf(ComPortNumber port) {
    if (port != ComPortNumber::pnCOM1 && port != ComPortNumber::pnCOM2) {
        throw std::out_of_range("only COM 1 and COM 2 are chosen");
    }
    return static_cast<std::size_t>(port);
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

PortChoice::PortChoice(link::UsbPort& usb, const link::SerialPortCatalog* catalog,
                       link::PortSettings* settings)
    : usb_(usb), catalog_(catalog), settings_(settings) {
    for (const ComPortNumber port : {ComPortNumber::pnCOM1, ComPortNumber::pnCOM2}) {
        paths_[IndexOf(port)] = link::DefaultPortPath(port);
    }
}

void PortChoice::Restore(const std::vector<link::ComPortPathArgument>& given) {
    for (const ComPortNumber port : {ComPortNumber::pnCOM1, ComPortNumber::pnCOM2}) {
        if (settings_ != nullptr) {
            if (const auto stored = settings_->StoredPortPath(port); stored && !stored->empty()) {
                paths_[IndexOf(port)] = *stored;
            }
        }
    }
    for (const link::ComPortPathArgument& argument : given) {
        if (argument.port == ComPortNumber::pnCOM1 || argument.port == ComPortNumber::pnCOM2) {
            paths_[IndexOf(argument.port)] = argument.path;
        }
    }
}

const std::string& PortChoice::Path(ComPortNumber port) const {
    return paths_[IndexOf(port)];
}

void PortChoice::Choose(ComPortNumber port, const std::string& path) {
    const std::string chosen = Trimmed(path);
    if (chosen.empty() || chosen == paths_[IndexOf(port)]) {
        return;
    }
    paths_[IndexOf(port)] = chosen;
    if (settings_ != nullptr) {
        settings_->StorePortPath(port, chosen);
    }
}

void PortChoice::Refresh() {
    ports_ =
        catalog_ != nullptr ? catalog_->AvailablePorts() : std::vector<link::SerialPortEntry>{};
    usbFound_ = usb_.AttachedConverters() > 0;
}

std::string PortChoice::EntryText(const link::SerialPortEntry& entry) {
    std::string details;
    for (const std::string* part : {&entry.description, &entry.manufacturer, &entry.serialNumber}) {
        if (!part->empty()) {
            details += (details.empty() ? "" : ", ") + *part;
        }
    }
    return details.empty() ? entry.path : entry.path + "  -  " + details;
}

} // namespace veld23::commands
