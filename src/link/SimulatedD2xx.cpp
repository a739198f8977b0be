#include "link/SimulatedD2xx.h"

#include <thread>

namespace veld23::link {

using Clock = ProcessorSimulator::Clock;

SimulatedD2xx::SimulatedD2xx(ProcessorSimulator& processor) : processor_(processor) {}

void SimulatedD2xx::FailCall(Call call, FtStatus status, int count) {
    failures_[call] = {count, status};
}

std::optional<FtStatus> SimulatedD2xx::Begin(Call call) {
    calls_.push_back(call);
    const auto found = failures_.find(call);
    if (found == failures_.end()) {
        return std::nullopt;
    }
    if (--found->second.first > 0) {
        return std::nullopt;
    }
    const FtStatus status = found->second.second;
    failures_.erase(found);
    return status;
}

FtStatus SimulatedD2xx::Open(std::uint32_t deviceIndex) {
    if (const auto failure = Begin(Call::Open)) {
        return *failure;
    }
    if (!attached_ || deviceIndex != 0) {
        return ft::kDeviceNotFound;
    }
    if (open_) {
        return ft::kDeviceNotOpened;
    }
    open_ = true;
    return ft::kOk;
}

FtStatus SimulatedD2xx::Close() {
    if (const auto failure = Begin(Call::Close)) {
        open_ = false;
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    open_ = false;
    return ft::kOk;
}

FtStatus SimulatedD2xx::Read(std::span<std::uint8_t> buffer, std::uint32_t& received) {
    received = 0;
    if (const auto failure = Begin(Call::Read)) {
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(readTimeoutMs_);
    for (;;) {
        received +=
            static_cast<std::uint32_t>(processor_.Take(buffer.subspan(received), Clock::now()));
        if (received == buffer.size()) {
            return ft::kOk;
        }
        const auto next = processor_.NextOutputTime();
        if (!next || *next > deadline) {
            if (realTimeouts_) {
                std::this_thread::sleep_until(deadline);
            }
            return ft::kOk;
        }
        std::this_thread::sleep_until(*next);
    }
}

FtStatus SimulatedD2xx::Write(std::span<const std::uint8_t> data, std::uint32_t& written) {
    written = 0;
    if (const auto failure = Begin(Call::Write)) {
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    processor_.Feed(data, Clock::now());
    written = static_cast<std::uint32_t>(data.size());
    return ft::kOk;
}

FtStatus SimulatedD2xx::SetBaudRate(std::uint32_t baud) {
    if (const auto failure = Begin(Call::SetBaudRate)) {
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    baud_ = baud;
    return ft::kOk;
}

FtStatus SimulatedD2xx::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                               std::uint8_t parity) {
    if (const auto failure = Begin(Call::SetDataCharacteristics)) {
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    const bool valid =
        (wordLength == 7 || wordLength == 8) && (stopBits == 0 || stopBits == 2) && parity <= 4;
    return valid ? ft::kOk : ft::kInvalidParameter;
}

FtStatus SimulatedD2xx::SetFlowControl(std::uint16_t, std::uint8_t, std::uint8_t) {
    if (const auto failure = Begin(Call::SetFlowControl)) {
        return *failure;
    }
    return open_ ? ft::kOk : ft::kInvalidHandle;
}

FtStatus SimulatedD2xx::SetDtr() {
    if (const auto failure = Begin(Call::SetDtr)) {
        return *failure;
    }
    return open_ ? ft::kOk : ft::kInvalidHandle;
}

FtStatus SimulatedD2xx::SetRts() {
    if (const auto failure = Begin(Call::SetRts)) {
        return *failure;
    }
    return open_ ? ft::kOk : ft::kInvalidHandle;
}

FtStatus SimulatedD2xx::SetChars(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) {
    if (const auto failure = Begin(Call::SetChars)) {
        return *failure;
    }
    return open_ ? ft::kOk : ft::kInvalidHandle;
}

FtStatus SimulatedD2xx::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    if (const auto failure = Begin(Call::SetTimeouts)) {
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    readTimeoutMs_ = readMs;
    writeTimeoutMs_ = writeMs;
    return ft::kOk;
}

FtStatus SimulatedD2xx::Purge(std::uint32_t mask) {
    if (const auto failure = Begin(Call::Purge)) {
        return *failure;
    }
    if (!open_) {
        return ft::kInvalidHandle;
    }
    if ((mask & ft::kPurgeRx) != 0) {
        processor_.DiscardArrived(Clock::now());
    }
    return ft::kOk;
}

FtStatus SimulatedD2xx::CreateDeviceInfoList(std::uint32_t& count) {
    count = attached_ ? 1 : 0;
    return ft::kOk;
}

} // namespace veld23::link
