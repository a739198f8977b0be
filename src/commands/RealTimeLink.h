#pragma once

#include "config/RealTimeSender.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>

namespace veld23::link {
class LinkController;
class TransferView;
} // namespace veld23::link

namespace veld23::commands {

class CommandDialogs;

// Real Time mode and its parameter messages: 0x80, 0x12, `RealTimeSelector`, the
// kind, a body of 17 (kind 0), 100 (kind 1) or 5 (kind 2) bytes, 0x55, written one
// byte at a time and never acknowledged. Every editor and the topology and route
// commands send through this class while the mode is on.
//
// A send that cannot go out is told with "ERROR" and ends Real Time mode, as does
// the link going Offline: the processor no longer follows the editor, and the
// dark indicator says so instead of a stream of lost edits.
class RealTimeLink final : public RealTimeSender {
  public:
    static constexpr std::size_t kMessageBufferSize = 112;
    static constexpr std::size_t kScratchSize = 111;
    static constexpr std::uint8_t kFiveValues = 0; // SendRealTimeFive
    static constexpr std::uint8_t kLongValue = 1;  // one value in a 100-byte body
    static constexpr std::uint8_t kValue = 2;      // one value or one integer
    // Pacing before a value and before an integer message, so the processor has
    // taken one parameter before the next arrives. No events run meanwhile, so no
    // other edit can start a message in the middle of this one.
    static constexpr std::chrono::microseconds kValuePause{1000};
    static constexpr std::chrono::microseconds kIntegerPause{5000};

    RealTimeLink(link::LinkController& link, link::TransferView& progress, CommandDialogs& dialogs);

    // ---- RealTimeSender.
    bool RealTimeMode() const override { return mode_; }
    // Also true while a framed transfer runs: a message put on the link then would
    // land in the middle of the transfer's bytes.
    bool RealTimeBusy() const override;
    void SendRealTimeValue(std::uint16_t parameter, std::uint8_t kind, double value) override;
    void SendRealTimeFive(std::uint8_t firstParameter,
                          const std::array<double, 5>& values) override;
    void SendRealTimeInteger(std::uint16_t parameter, std::uint16_t value) override;

    // 1 at start-up; the loudness window's hidden section selectors set 1 or 2.
    // Other values are ignored.
    std::uint8_t RealTimeSelector() const { return selector_; }
    void SetRealTimeSelector(std::uint8_t selector);

    // The transport step for the body already in the message buffer, over the
    // serial port or the USB converter as `UsbLinkActive` says: 0 success, 1
    // failure. Refused (1) while the link is Offline or for an unknown kind.
    [[nodiscard]] std::uint8_t SendRealTime(std::uint8_t selector, std::uint8_t kind);

    // Mode changes light or darken every Real Time indicator through the listener.
    // Switching on is the Real Time command's last step, after the security read.
    void SwitchOn();
    void SwitchOff();
    void SetModeListener(std::function<void(bool on)> listener) {
        modeListener_ = std::move(listener);
    }
    // Tells whether a framed transfer is running on the link.
    void SetTransferRunning(std::function<bool()> running) {
        transferRunning_ = std::move(running);
    }

    // The message body as the last message left it.
    std::span<const std::uint8_t> MessageBuffer() const { return buffer_; }

  private:
    static std::size_t BodyLength(std::uint8_t kind);
    // Appends one encoded value to the current selector's scratch record.
    void Encode(double value);
    std::span<const std::uint8_t> Encoded() const;
    // SendRealTime, and on failure the message and the end of the mode.
    void Deliver(std::uint8_t kind);
    bool SendSerial(std::span<const std::uint8_t> message);
    bool SendUsb(std::span<const std::uint8_t> message);
    void SetMode(bool on);

    link::LinkController& link_;
    link::TransferView& progress_;
    CommandDialogs& dialogs_;
    std::function<void(bool)> modeListener_;
    std::function<bool()> transferRunning_;
    bool mode_ = false;
    bool busy_ = false;
    std::uint8_t selector_ = 1;
    std::array<std::uint8_t, kMessageBufferSize> buffer_{};
    std::array<std::array<std::uint8_t, kScratchSize>, 2> scratch_{};
    std::size_t scratchFill_ = 0;
};

} // namespace veld23::commands
