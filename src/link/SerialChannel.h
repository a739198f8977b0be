#pragma once

#include "link/LinkController.h"
#include "link/TransferChannel.h"
#include "link/Waiter.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace veld23::link {

// Transfers over the serial driver. Answers arrive as reception events; the
// first byte of the first reception since the last send is the answer, so a
// reception that carries several bytes counts once and a late byte from an
// earlier step never passes for the next answer.
class SerialChannel : public TransferChannel {
  public:
    SerialChannel(LinkController& link, Waiter& waiter, TransferView& view,
                  std::chrono::milliseconds answerTimeout);
    ~SerialChannel() override;
    SerialChannel(const SerialChannel&) = delete;
    SerialChannel& operator=(const SerialChannel&) = delete;

    bool IsUsb() const override { return false; }
    std::string PortName() const override;
    bool Open() override;
    void Close() override {}
    bool PurgeInput() override;
    bool Send(std::span<const std::uint8_t> bytes) override;
    std::optional<std::uint8_t> Await() override;
    void StartData(std::span<std::uint8_t> buffer) override;
    bool AwaitData(std::size_t target) override;
    std::size_t Filled() const override { return filled_; }
    void StopData() override { collecting_ = false; }
    void PauseBetweenSteps() override {}

    // 0 when a reception has arrived since the last send, 1 when none came
    // within the answer time-out (with showErrors the user is told and the
    // link goes Offline).
    [[nodiscard]] std::uint8_t WaitForByte(bool showErrors);
    // The driver's reception event.
    void OnReceiveData(std::span<const std::uint8_t> data);

  private:
    void ReportNoAnswer();

    LinkController& link_;
    Waiter& waiter_;
    TransferView& view_;
    std::chrono::milliseconds answerTimeout_;
    bool received_ = false;
    std::uint8_t lastByte_ = 0;
    bool collecting_ = false;
    std::span<std::uint8_t> collect_;
    std::size_t filled_ = 0;
};

} // namespace veld23::link
