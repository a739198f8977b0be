#pragma once

#include "link/D2xx.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veld23::link {

// Receives the failures of the USB calls (the link goes Offline and the user is told).
class UsbErrorSink {
  public:
    virtual ~UsbErrorSink() = default;
    virtual void UsbReportError(const std::string& prefix, FtStatus status) = 0;
};

// The USB link's primitives: one D2XX-style call each, a nonzero status
// reported with the call's own message prefix.
class UsbPort {
  public:
    static constexpr std::size_t kBufferSize = 32768;
    static constexpr std::uint32_t kTimeoutMs = 1000;
    static constexpr std::uint32_t kBaudRate = 9600;

    UsbPort(D2xx& device, UsbErrorSink& errors);

    FtStatus UsbOpen();
    // Closing a device that is not open does nothing: there is no handle to report on.
    FtStatus UsbClose();
    FtStatus SetRts();
    FtStatus SetDtr();
    FtStatus SetBaudRate();
    FtStatus SetDataCharacteristics();
    FtStatus SetFlowControl();
    FtStatus SetChars();
    FtStatus UsbSetTimeouts(std::uint32_t readMs, std::uint32_t writeMs);
    // Discards what the converter received and nobody has read yet.
    FtStatus UsbPurgeInput();
    // How many converters are attached (0 when the system cannot tell); reports nothing.
    std::uint32_t AttachedConverters();
    // Send the first count bytes of UsbWriteBuffer / read count bytes to the
    // start of UsbReadBuffer; both return the byte count and keep the status.
    std::uint32_t UsbWrite(std::uint32_t count);
    std::uint32_t UsbRead(std::uint32_t count);

    FtStatus LastStatus() const { return lastStatus_; }
    bool IsOpen() const { return open_; }
    std::span<std::uint8_t> UsbWriteBuffer() { return writeBuffer_; }
    std::span<const std::uint8_t> UsbReadBuffer() const { return readBuffer_; }

  private:
    FtStatus Checked(FtStatus status, const char* prefix);

    D2xx& device_;
    UsbErrorSink& errors_;
    bool open_ = false;
    FtStatus lastStatus_ = ft::kOk;
    std::vector<std::uint8_t> writeBuffer_;
    std::vector<std::uint8_t> readBuffer_;
};

} // namespace veld23::link
