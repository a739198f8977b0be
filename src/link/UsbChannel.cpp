#include "link/UsbChannel.h"

#include "link/LinkTexts.h"

#include <algorithm>

namespace veld23::link {

UsbChannel::UsbChannel(UsbPort& usb, Waiter& waiter, TransferView& view)
    : usb_(usb), waiter_(waiter), view_(view) {}

bool UsbChannel::Open() {
    if (usb_.UsbOpen() != ft::kOk) {
        view_.CloseProgress();
        return false;
    }
    return true;
}

bool UsbChannel::Send(std::span<const std::uint8_t> bytes) {
    const std::span<std::uint8_t> out = usb_.UsbWriteBuffer();
    const std::size_t count = std::min(bytes.size(), out.size());
    std::copy_n(bytes.begin(), count, out.begin());
    usb_.UsbWrite(static_cast<std::uint32_t>(count));
    return usb_.LastStatus() == ft::kOk;
}

std::uint32_t UsbChannel::ReadSome(std::uint32_t count) {
    if (usb_.UsbSetTimeouts(UsbPort::kTimeoutMs, UsbPort::kTimeoutMs) != ft::kOk) {
        return 0;
    }
    const std::uint32_t received = usb_.UsbRead(count);
    if (received == 0 && usb_.LastStatus() == ft::kOk) {
        view_.SetInfo(texts::kUsbNoAnswer);
    }
    return received;
}

std::optional<std::uint8_t> UsbChannel::Await() {
    if (ReadSome(1) == 0) {
        return std::nullopt;
    }
    return usb_.UsbReadBuffer().front();
}

void UsbChannel::StartData(std::span<std::uint8_t> buffer) {
    collect_ = buffer;
    filled_ = 0;
}

bool UsbChannel::AwaitData(std::size_t target) {
    target = std::min(target, collect_.size());
    // One read that brings nothing within the time-out ends the reception.
    while (filled_ < target) {
        const std::uint32_t received = ReadSome(static_cast<std::uint32_t>(target - filled_));
        if (received == 0) {
            return false;
        }
        std::copy_n(usb_.UsbReadBuffer().begin(), received,
                    collect_.begin() + static_cast<std::ptrdiff_t>(filled_));
        filled_ += received;
    }
    return true;
}

} // namespace veld23::link
