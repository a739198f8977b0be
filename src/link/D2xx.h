#pragma once

#include <cstdint>
#include <span>

namespace veld23::link {

// Status numbers of the FTDI D2XX calls; 0 is success.
using FtStatus = std::uint32_t;
namespace ft {
inline constexpr FtStatus kOk = 0;
inline constexpr FtStatus kInvalidHandle = 1;
inline constexpr FtStatus kDeviceNotFound = 2;
inline constexpr FtStatus kDeviceNotOpened = 3;
inline constexpr FtStatus kIoError = 4;
inline constexpr FtStatus kInsufficientResources = 5;
inline constexpr FtStatus kInvalidParameter = 6;
inline constexpr FtStatus kInvalidBaudRate = 7;
inline constexpr FtStatus kNotSupported = 17;
inline constexpr FtStatus kOtherError = 18;
// Purge masks.
inline constexpr std::uint32_t kPurgeRx = 1;
inline constexpr std::uint32_t kPurgeTx = 2;
} // namespace ft

// The D2XX-style calls the USB link makes, on one device handle (held inside
// the implementation between Open and Close). Implemented on libftdi1 for a
// real converter and on the processor simulator for tests.
class D2xx {
  public:
    virtual ~D2xx() = default;

    virtual FtStatus Open(std::uint32_t deviceIndex) = 0;
    virtual FtStatus Close() = 0;
    // Waits up to the read time-out for all of buffer; received says how many came.
    virtual FtStatus Read(std::span<std::uint8_t> buffer, std::uint32_t& received) = 0;
    virtual FtStatus Write(std::span<const std::uint8_t> data, std::uint32_t& written) = 0;
    virtual FtStatus SetBaudRate(std::uint32_t baud) = 0;
    // wordLength 7 or 8; stopBits 0 one, 2 two; parity 0 none, 1 odd, 2 even, 3 mark, 4 space.
    virtual FtStatus SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                            std::uint8_t parity) = 0;
    // flowControl 0 none, 0x0100 RTS/CTS, 0x0200 DTR/DSR, 0x0400 XON/XOFF.
    virtual FtStatus SetFlowControl(std::uint16_t flowControl, std::uint8_t xon,
                                    std::uint8_t xoff) = 0;
    virtual FtStatus SetDtr() = 0;
    virtual FtStatus SetRts() = 0;
    virtual FtStatus SetChars(std::uint8_t eventChar, std::uint8_t eventEnabled,
                              std::uint8_t errorChar, std::uint8_t errorEnabled) = 0;
    virtual FtStatus SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) = 0;
    // Discards the converter's receive (kPurgeRx) and/or transmit (kPurgeTx) queue.
    virtual FtStatus Purge(std::uint32_t mask) = 0;
    // How many converters are attached; needs no open device.
    virtual FtStatus CreateDeviceInfoList(std::uint32_t& count) = 0;
};

} // namespace veld23::link
