#pragma once

#include "link/D2xx.h"
#include "link/ProcessorSimulator.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace veld23::link {

// A USB-serial converter with the simulated processor behind it, so the USB
// variants of the transfers run in-process. Any call can be made to fail with
// a chosen status. A read that nothing can complete returns as soon as that is
// certain (this is one thread: no byte can arrive while it waits), unless
// real time-outs are asked for.
class SimulatedD2xx : public D2xx {
  public:
    enum class Call {
        Open,
        Close,
        Read,
        Write,
        SetBaudRate,
        SetDataCharacteristics,
        SetFlowControl,
        SetDtr,
        SetRts,
        SetChars,
        SetTimeouts,
        Purge,
    };

    explicit SimulatedD2xx(ProcessorSimulator& processor);

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

    // No converter plugged in: Open answers "device not found".
    void SetAttached(bool attached) { attached_ = attached; }
    // The call's `count`-th use from now on (1 = the next one) returns status.
    void FailCall(Call call, FtStatus status, int count = 1);
    void SetRealTimeouts(bool real) { realTimeouts_ = real; }

    bool IsOpen() const { return open_; }
    // Every call made, in order, and the settings last applied.
    const std::vector<Call>& Calls() const { return calls_; }
    std::uint32_t BaudRate() const { return baud_; }
    std::uint32_t ReadTimeoutMs() const { return readTimeoutMs_; }
    std::uint32_t WriteTimeoutMs() const { return writeTimeoutMs_; }

  private:
    // The injected failure of this call, if it is due now; records the call.
    std::optional<FtStatus> Begin(Call call);

    ProcessorSimulator& processor_;
    bool attached_ = true;
    bool open_ = false;
    bool realTimeouts_ = false;
    std::uint32_t baud_ = 0;
    std::uint32_t readTimeoutMs_ = 0;
    std::uint32_t writeTimeoutMs_ = 0;
    std::map<Call, std::pair<int, FtStatus>> failures_;
    std::vector<Call> calls_;
};

} // namespace veld23::link
