#pragma once

#include "link/D2xx.h"

#include <cstdint>
#include <span>

struct ftdi_context;

namespace veld23::link {

// The D2XX-style calls on libftdi1, for the first FTDI converter found.
// libftdi1's negative results become the D2XX status numbers the link reports.
class FtdiD2xx : public D2xx {
  public:
    FtdiD2xx() = default;
    ~FtdiD2xx() override;
    FtdiD2xx(const FtdiD2xx&) = delete;
    FtdiD2xx& operator=(const FtdiD2xx&) = delete;

    FtStatus Open(std::uint32_t deviceIndex) override;
    FtStatus Close() override;
    FtStatus Read(std::span<std::uint8_t> buffer, std::uint32_t& received) override;
    FtStatus Write(std::span<const std::uint8_t> data, std::uint32_t& written) override;
    FtStatus SetBaudRate(std::uint32_t baud) override;
    FtStatus SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                    std::uint8_t parity) override;
    FtStatus SetFlowControl(std::uint16_t flowControl, std::uint8_t xon,
                            std::uint8_t xoff) override;
    FtStatus SetDtr() override;
    FtStatus SetRts() override;
    FtStatus SetChars(std::uint8_t eventChar, std::uint8_t eventEnabled, std::uint8_t errorChar,
                      std::uint8_t errorEnabled) override;
    FtStatus SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus Purge(std::uint32_t mask) override;
    FtStatus CreateDeviceInfoList(std::uint32_t& count) override;

  private:
    ftdi_context* context_ = nullptr;
    std::uint32_t readTimeoutMs_ = 1000;
};

} // namespace veld23::link
