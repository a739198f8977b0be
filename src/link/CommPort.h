#pragma once

#include "link/LinkTypes.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace veld23::link {

// One reception event: the bytes are valid only during the call.
using ReceiveDataHandler = std::function<void(std::span<const std::uint8_t> data)>;

// Why a port did not open, in the system's own words.
struct PortOpenError {
    enum class Kind : std::uint8_t {
        None,
        InUse,            // another program holds it
        NotFound,         // no such device
        PermissionDenied, // the user may not open it
        NotSerial,        // the path is something else than a serial port
        Other,
    };
    Kind kind = Kind::None;
    // The system's reason, such as "Permission denied".
    std::string reason;
};

// The serial port driver as the transfer code uses it. The Qt driver on a real
// port and the in-process simulated port both implement it.
class CommPort {
  public:
    virtual ~CommPort() = default;

    // Exclusive open of the port named by ComPort(); true when open (also when
    // it already was, in which case nothing changes).
    virtual bool OpenPort() = 0;
    virtual void ClosePort() = 0;
    virtual bool IsOpen() const = 0;
    // Why the last OpenPort failed.
    virtual PortOpenError LastOpenError() const = 0;
    // Discards what has arrived and not been read, so nothing left over from an
    // earlier transfer passes for an answer.
    virtual void PurgeInput() = 0;
    // Writes the block; returns the count written, 0 when closed, minus the
    // count written so far when the output stalls longer than the output time-out.
    virtual int SendBlock(std::span<const std::uint8_t> data) = 0;

    virtual ComPortNumber ComPort() const = 0;
    // Ignored while the port is open.
    virtual void SetComPort(ComPortNumber port) = 0;
    // The system device behind a port; a change takes effect at the next open.
    virtual std::string PortPath(ComPortNumber port) const = 0;
    virtual void SetPortPath(ComPortNumber port, std::string path) = 0;
    // Receptions arrive as events of at most the driver's input size.
    virtual void SetOnReceiveData(ReceiveDataHandler handler) = 0;
};

} // namespace veld23::link
