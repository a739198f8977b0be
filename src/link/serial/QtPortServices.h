#pragma once

#include "link/LinkTypes.h"
#include "link/PortServices.h"

#include <optional>
#include <string>
#include <vector>

namespace veld23::link {

// The serial ports the system lists, through QSerialPortInfo.
class QtSerialPortCatalog final : public SerialPortCatalog {
  public:
    std::vector<SerialPortEntry> AvailablePorts() const override;
};

// The chosen COM 1 and COM 2 devices in a QSettings file ("Ports/COM1", "Ports/COM2").
class QtPortSettings final : public PortSettings {
  public:
    // The user's settings file of this program.
    static std::string DefaultFile();

    explicit QtPortSettings(std::string file);
    std::optional<std::string> StoredPortPath(ComPortNumber port) const override;
    void StorePortPath(ComPortNumber port, const std::string& path) override;

  private:
    std::string file_;
};

} // namespace veld23::link
