#include "link/SerialChannel.h"

#include "link/LinkTexts.h"

#include <algorithm>

namespace veld23::link {

SerialChannel::SerialChannel(LinkController& link, Waiter& waiter, TransferView& view,
                             std::chrono::milliseconds answerTimeout)
    : link_(link), waiter_(waiter), view_(view), answerTimeout_(answerTimeout) {
    link_.Comm().SetOnReceiveData(
        [this](std::span<const std::uint8_t> data) { OnReceiveData(data); });
}

SerialChannel::~SerialChannel() {
    link_.Comm().SetOnReceiveData(nullptr);
}

std::string SerialChannel::PortName() const {
    return ComPortLabel(link_.Comm().ComPort());
}

bool SerialChannel::Open() {
    // Reopened for every transfer, so a port that went away and came back (an
    // adapter plugged in again) works again.
    link_.Comm().ClosePort();
    if (link_.Comm().OpenPort()) {
        return true;
    }
    view_.CloseProgress();
    link_.ReportReopenFailure();
    return false;
}

bool SerialChannel::PurgeInput() {
    link_.Comm().PurgeInput();
    received_ = false;
    collecting_ = false;
    return true;
}

bool SerialChannel::Send(std::span<const std::uint8_t> bytes) {
    received_ = false;
    // A block that cannot go out shows as the missing answer that follows.
    link_.Comm().SendBlock(bytes);
    return true;
}

std::optional<std::uint8_t> SerialChannel::Await() {
    if (WaitForByte(true) != 0) {
        return std::nullopt;
    }
    return lastByte_;
}

void SerialChannel::StartData(std::span<std::uint8_t> buffer) {
    collect_ = buffer;
    filled_ = 0;
    collecting_ = true;
}

bool SerialChannel::AwaitData(std::size_t target) {
    target = std::min(target, collect_.size());
    while (filled_ < target) {
        received_ = false;
        if (WaitForByte(true) != 0) {
            return false;
        }
    }
    return true;
}

std::uint8_t SerialChannel::WaitForByte(bool showErrors) {
    if (received_ || waiter_.WaitUntil([this] { return received_; }, answerTimeout_)) {
        return 0;
    }
    if (showErrors) {
        ReportNoAnswer();
    }
    return 1;
}

void SerialChannel::OnReceiveData(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return;
    }
    if (collecting_) {
        const std::size_t count = std::min(data.size(), collect_.size() - filled_);
        std::copy_n(data.begin(), count, collect_.begin() + static_cast<std::ptrdiff_t>(filled_));
        filled_ += count;
    }
    if (!received_) {
        lastByte_ = data.front();
        received_ = true;
    }
    waiter_.Wake();
}

void SerialChannel::ReportNoAnswer() {
    LinkUi& ui = link_.Ui();
    ui.Beep();
    ui.ShowError(texts::kComPortError);
    link_.SelectOffline();
    view_.CloseProgress();
}

} // namespace veld23::link
