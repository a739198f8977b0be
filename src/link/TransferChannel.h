#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace veld23::link {

// One byte as a block to send.
inline std::span<const std::uint8_t> OneByte(const std::uint8_t& byte) {
    return {&byte, 1};
}

// One link as a framed transfer sees it. The serial and the USB variant put
// the same bytes on the wire and differ in how they open, wait and fail; each
// reports its own failures before returning false or nothing.
class TransferChannel {
  public:
    virtual ~TransferChannel() = default;

    virtual bool IsUsb() const = 0;
    // "COM1" ... "COM4" or "USB", for the progress window's port line.
    virtual std::string PortName() const = 0;

    // Makes the link ready for one transfer.
    virtual bool Open() = 0;
    // Discards what arrived before this transfer: a late answer of an earlier,
    // failed one must not pass for an answer of this one.
    virtual bool PurgeInput() = 0;
    // Ends the transfer's use of the link: the USB device is closed, the serial
    // port stays open until its owner closes it.
    virtual void Close() = 0;

    virtual bool Send(std::span<const std::uint8_t> bytes) = 0;
    // The first byte of the next answer.
    virtual std::optional<std::uint8_t> Await() = 0;

    // From now on received data goes to buffer (as much as it holds).
    virtual void StartData(std::span<std::uint8_t> buffer) = 0;
    // Waits until at least target bytes of data have arrived.
    virtual bool AwaitData(std::size_t target) = 0;
    virtual std::size_t Filled() const = 0;
    virtual void StopData() = 0;

    // The short pause the USB variant makes before each step of a command.
    virtual void PauseBetweenSteps() = 0;
};

} // namespace veld23::link
