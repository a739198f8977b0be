#pragma once

#include "link/LinkTypes.h"
#include "link/PortServices.h"

#include <array>
#include <string>
#include <vector>

namespace veld23::link {
class UsbPort;
}

namespace veld23::commands {

// Which system port COM 1 and COM 2 stand for, as the connect dialog chooses them:
// one of the serial ports the system lists, or any path typed in. A choice is
// remembered for the next run; a path given on the command line wins for this run
// without being remembered. The dialog also tells whether a USB processor (an FTDI
// converter) is attached.
//
// The path reaches the serial driver only when its selector is chosen, so a path
// edited while that port is in use does not move the link under a running check.
class PortChoice {
  public:
    // Catalog and settings may be absent (no list offered, nothing remembered).
    PortChoice(link::UsbPort& usb, const link::SerialPortCatalog* catalog,
               link::PortSettings* settings);

    // At start: the path given on the command line, else the one remembered, else
    // the system's default port.
    void Restore(const std::vector<link::ComPortPathArgument>& given);

    // COM 1 or COM 2 only.
    const std::string& Path(link::ComPortNumber port) const;
    // A path picked from the list or typed. Blanks around it are dropped; an empty
    // one changes nothing.
    void Choose(link::ComPortNumber port, const std::string& path);

    // The system's serial ports and the USB converters looked up again.
    void Refresh();
    const std::vector<link::SerialPortEntry>& Ports() const { return ports_; }
    bool UsbProcessorFound() const { return usbFound_; }

    // How the list shows a port: "/dev/ttyUSB0  -  FT232R USB UART, FTDI, A10K3XYZ".
    static std::string EntryText(const link::SerialPortEntry& entry);

  private:
    link::UsbPort& usb_;
    const link::SerialPortCatalog* catalog_;
    link::PortSettings* settings_;
    std::array<std::string, 2> paths_;
    std::vector<link::SerialPortEntry> ports_;
    bool usbFound_ = false;
};

} // namespace veld23::commands
