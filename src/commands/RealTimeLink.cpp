#include "commands/RealTimeLink.h"

#include "commands/CommandDialogs.h"
#include "commands/CommandTexts.h"
#include "device/Encodings.h"
#include "dsp/Coef22Range.h"
#include "link/LinkController.h"
#include "link/Protocol.h"
#include "link/TransferChannel.h"

#include <algorithm>
#include <thread>

namespace veld23::commands {

namespace {

// Header, longest body and END: a kind 1 message.
constexpr std::size_t kLongestMessage = 4 + 100 + 1;

std::uint8_t High(std::uint16_t word) {
    return static_cast<std::uint8_t>(word >> 8);
}

std::uint8_t Low(std::uint16_t word) {
    return static_cast<std::uint8_t>(word & 0xFF);
}

} // namespace

RealTimeLink::RealTimeLink(link::LinkController& link, link::TransferView& progress,
                           CommandDialogs& dialogs)
    : link_(link), progress_(progress), dialogs_(dialogs) {}

bool RealTimeLink::RealTimeBusy() const {
    return busy_ || (transferRunning_ && transferRunning_());
}

void RealTimeLink::SetRealTimeSelector(std::uint8_t selector) {
    if (selector == 1 || selector == 2) {
        selector_ = selector;
    }
}

std::size_t RealTimeLink::BodyLength(std::uint8_t kind) {
    switch (kind) {
    case kFiveValues:
        return 17;
    case kLongValue:
        return 100;
    case kValue:
        return 5;
    default:
        return 0;
    }
}

void RealTimeLink::Encode(double value) {
    const Coef22Bytes word = EncodeCoef22(HoldToCoef22Range(value));
    std::array<std::uint8_t, kScratchSize>& record = scratch_[selector_ - 1];
    if (scratchFill_ + word.size() > record.size()) {
        return;
    }
    std::copy(word.begin(), word.end(), record.begin() + static_cast<std::ptrdiff_t>(scratchFill_));
    scratchFill_ += word.size();
}

std::span<const std::uint8_t> RealTimeLink::Encoded() const {
    return std::span<const std::uint8_t>(scratch_[selector_ - 1]).first(scratchFill_);
}

void RealTimeLink::SendRealTimeValue(std::uint16_t parameter, std::uint8_t kind, double value) {
    // Once a send has failed and ended the mode, or while a transfer runs, the rest of
    // the same edit stays in the configuration; the next memory write carries it.
    if (!CanSend()) {
        return;
    }
    std::this_thread::sleep_for(kValuePause);
    scratchFill_ = 0;
    Encode(value);
    buffer_[0] = High(parameter);
    buffer_[1] = Low(parameter);
    const auto encoded = Encoded();
    std::copy(encoded.begin(), encoded.end(), buffer_.begin() + 2);
    Deliver(kind);
}

void RealTimeLink::SendRealTimeFive(std::uint8_t firstParameter,
                                    const std::array<double, 5>& values) {
    if (!CanSend()) {
        return;
    }
    scratchFill_ = 0;
    for (const double value : values) {
        Encode(value);
    }
    buffer_[0] = 0x00;
    buffer_[1] = firstParameter;
    const auto encoded = Encoded();
    std::copy(encoded.begin(), encoded.end(), buffer_.begin() + 2);
    Deliver(kFiveValues);
}

void RealTimeLink::SendRealTimeInteger(std::uint16_t parameter, std::uint16_t value) {
    if (!CanSend()) {
        return;
    }
    std::this_thread::sleep_for(kIntegerPause);
    const Coef22Bytes word = EncodeWord16in24(value);
    buffer_[0] = High(parameter);
    buffer_[1] = Low(parameter);
    std::copy(word.begin(), word.end(), buffer_.begin() + 2);
    Deliver(kValue);
}

void RealTimeLink::Deliver(std::uint8_t kind) {
    if (SendRealTime(selector_, kind) == 0) {
        return;
    }
    dialogs_.ShowMessage(texts::kRealTimeSendFailed);
    SwitchOff();
}

std::uint8_t RealTimeLink::SendRealTime(std::uint8_t selector, std::uint8_t kind) {
    const std::size_t bodyLength = BodyLength(kind);
    if (bodyLength == 0 || link_.Kind() == link::LinkKind::Offline) {
        return 1;
    }
    std::array<std::uint8_t, kLongestMessage> message{};
    message[0] = link::protocol::kStart;
    message[1] = link::protocol::kRealTime;
    message[2] = selector;
    message[3] = kind;
    std::copy_n(buffer_.begin(), bodyLength, message.begin() + 4);
    message[4 + bodyLength] = link::protocol::kEnd;
    const auto bytes = std::span<const std::uint8_t>(message).first(bodyLength + 5);
    const bool sent = link_.UsbLinkActive() ? SendUsb(bytes) : SendSerial(bytes);
    return sent ? 0 : 1;
}

bool RealTimeLink::SendSerial(std::span<const std::uint8_t> message) {
    link::CommPort& comm = link_.Comm();
    busy_ = true;
    bool sent = comm.OpenPort();
    for (std::size_t i = 0; sent && i < message.size(); ++i) {
        sent = comm.SendBlock(link::OneByte(message[i])) == 1;
    }
    progress_.CloseProgress();
    busy_ = false;
    comm.ClosePort();
    return sent;
}

bool RealTimeLink::SendUsb(std::span<const std::uint8_t> message) {
    link::UsbPort& usb = link_.Usb();
    // A failed open has been reported and has taken the link Offline.
    if (usb.UsbOpen() != link::ft::kOk) {
        return false;
    }
    busy_ = true;
    bool sent = true;
    for (std::size_t i = 0; sent && i < message.size(); ++i) {
        usb.UsbWriteBuffer()[0] = message[i];
        sent = usb.UsbWrite(1) == 1 && usb.LastStatus() == link::ft::kOk;
    }
    busy_ = false;
    usb.UsbClose();
    return sent;
}

void RealTimeLink::SwitchOn() {
    SetMode(true);
}

void RealTimeLink::SwitchOff() {
    SetMode(false);
}

void RealTimeLink::SetMode(bool on) {
    mode_ = on;
    if (modeListener_) {
        modeListener_(on);
    }
}

} // namespace veld23::commands
