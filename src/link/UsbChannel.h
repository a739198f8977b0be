#pragma once

#include "link/D2xx.h"
#include "link/LinkUi.h"
#include "link/TransferChannel.h"
#include "link/UsbPort.h"
#include "link/Waiter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace veld23::link {

// Transfers over the USB converter: every answer is a read of at most the
// read time-out, and the device is open only inside one transfer.
class UsbChannel : public TransferChannel {
  public:
    UsbChannel(UsbPort& usb, Waiter& waiter, TransferView& view);

    bool IsUsb() const override { return true; }
    std::string PortName() const override { return "USB"; }
    bool Open() override;
    void Close() override { usb_.UsbClose(); }
    bool PurgeInput() override { return usb_.UsbPurgeInput() == ft::kOk; }
    bool Send(std::span<const std::uint8_t> bytes) override;
    std::optional<std::uint8_t> Await() override;
    void StartData(std::span<std::uint8_t> buffer) override;
    bool AwaitData(std::size_t target) override;
    std::size_t Filled() const override { return filled_; }
    void StopData() override {}
    void PauseBetweenSteps() override { waiter_.ProcessPendingEvents(); }

  private:
    // Reads up to count bytes; 0 when none came (a missing answer is shown,
    // a driver error has been reported).
    std::uint32_t ReadSome(std::uint32_t count);

    UsbPort& usb_;
    Waiter& waiter_;
    TransferView& view_;
    std::span<std::uint8_t> collect_;
    std::size_t filled_ = 0;
};

} // namespace veld23::link
