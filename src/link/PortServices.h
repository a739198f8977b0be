#pragma once

#include "link/LinkTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace veld23::link {

// One serial port the system offers.
struct SerialPortEntry {
    std::string path; // /dev/ttyUSB0, COM3
    std::string description;
    std::string manufacturer;
    std::string serialNumber;
};

// The system's list of serial ports.
class SerialPortCatalog {
  public:
    virtual ~SerialPortCatalog() = default;
    virtual std::vector<SerialPortEntry> AvailablePorts() const = 0;
};

// Where the program keeps, between runs, which device COM 1 and COM 2 stand for:
// the only setting it keeps (the configuration lives in files).
class PortSettings {
  public:
    virtual ~PortSettings() = default;
    virtual std::optional<std::string> StoredPortPath(ComPortNumber port) const = 0;
    virtual void StorePortPath(ComPortNumber port, const std::string& path) = 0;
};

} // namespace veld23::link
