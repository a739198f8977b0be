#pragma once

#include "config/Result.h"
#include "link/LinkController.h"
#include "link/SerialChannel.h"
#include "link/UsbChannel.h"
#include "link/Waiter.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veld23::link {

// How a write of a memory ended.
struct [[nodiscard]] WriteOutcome {
    enum class Result {
        Verified, // stored, read back identical, and made the running memory
        Written,  // stored and made the running memory, not read back
        Mismatch, // stored, but what came back differs: not made the running memory
        Failed,   // a transfer failed (already shown)
    };
    Result result = Result::Failed;
    std::size_t differingBytes = 0;

    bool Succeeded() const { return result == Result::Verified || result == Result::Written; }
};

// Framed transfers with the processor: the editor's commands (START, command,
// program number, LONG, data in acknowledged 64-byte blocks, END) and the
// memory reception in the other direction. The serial or USB variant is
// chosen by `UsbLinkActive`. A failure has been shown (progress text, message box)
// by the time it is returned, with what the user was told as its message, and the
// link controller knows whether the processor answered wrongly or not at all.
//
// Every transfer starts by discarding what arrived before it. After a failed
// one it first waits until the processor has given the old transfer up (it does
// after as long a silence as the editor waits for an answer), so the new
// command's bytes are not taken as the rest of the old one.
class TransferEngine {
  public:
    static constexpr std::size_t kBufferSize = 32768;
    static constexpr std::chrono::milliseconds kAnswerTimeout{2000};

    // Receives a memory image read from the processor: exactly the bytes that arrived.
    using ImageHandler = std::function<void(std::span<const std::uint8_t> image)>;

    TransferEngine(LinkController& link, Waiter& waiter, TransferView& view,
                   std::chrono::milliseconds answerTimeout = kAnswerTimeout);

    // Sends the first `length` bytes of TransmitBuffer as the command's data.
    Result<> RunCommand(std::uint8_t command, std::uint8_t program, std::uint16_t length,
                        bool showProgress);
    // Command 4, then the memory comes back and goes to the image handler.
    // The serial port is left open for its owner to close; the USB device is closed.
    Result<> ReceiveMemory(std::uint8_t program);
    // Serial only: see SerialChannel::WaitForByte.
    [[nodiscard]] std::uint8_t WaitForByte(bool showErrors) {
        return serial_.WaitForByte(showErrors);
    }

    // Puts a device image into TransmitBuffer, followed by the zero byte that
    // the length word's "+ 2" sends along. Returns LONG (the image's length
    // word + 2), or 0 when the image cannot be sent: shorter than its length
    // word, or too long for the buffer.
    [[nodiscard]] std::uint16_t LoadImage(std::span<const std::uint8_t> image);
    // Stores the image in memory `program` (command 3); with verify, reads the
    // memory back and compares it byte for byte with what was sent, telling the
    // user of a difference; then, unless something failed or differed, makes the
    // memory the running one (command 7).
    WriteOutcome WriteMemory(std::uint8_t program, std::span<const std::uint8_t> image,
                             bool verify);

    std::span<std::uint8_t> TransmitBuffer() { return transmit_; }
    std::span<const std::uint8_t> ReceiveBuffer() const { return receive_; }
    void SetImageHandler(ImageHandler handler) { imageHandler_ = std::move(handler); }

    // The processor's answer to the program step of command 19.
    int CurrentProgram() const { return currentProgram_; }
    // True while a transfer runs; a command started from inside one is refused.
    bool Running() const { return running_; }

  private:
    using Clock = std::chrono::steady_clock;

    TransferChannel& ActiveChannel();
    Result<> Run(TransferChannel& channel, std::uint8_t command, std::uint8_t program,
                 std::uint16_t length, bool showProgress);
    bool Exchange(TransferChannel& channel, std::uint8_t command, std::uint8_t program,
                  std::uint16_t length);
    // Command 4 and the memory that follows, handed to sink.
    Result<> ReceiveInto(std::uint8_t program, const ImageHandler& sink);
    bool Receive(TransferChannel& channel, std::uint8_t program, const ImageHandler& sink);
    bool ReceiveData(TransferChannel& channel, std::uint8_t program, std::size_t length);
    std::optional<std::uint8_t> SendAndAwait(TransferChannel& channel,
                                             std::span<const std::uint8_t> bytes);
    void ShowProgressWindow(const TransferChannel& channel);
    // A wrong answer: its text, and the processor marked as answering wrongly.
    bool Fail(const std::string& text);
    // No answer (already told by the channel).
    bool Silent();
    // The failure of the transfer that ran last, with what the user was told.
    Result<> Failed() const { return Result<>::Failure(failure_); }
    void WaitForProcessorToGiveUp();

    LinkController& link_;
    Waiter& waiter_;
    TransferView& view_;
    SerialChannel serial_;
    UsbChannel usb_;
    std::vector<std::uint8_t> transmit_;
    std::vector<std::uint8_t> receive_;
    ImageHandler imageHandler_;
    int currentProgram_ = 0;
    bool running_ = false;
    // What the user was told of the running transfer's failure: the channel's own
    // communication error until an answer says more.
    std::string failure_;
    // Until then the processor may still be busy with a transfer that failed.
    Clock::time_point quietUntil_{};
    std::chrono::milliseconds processorTimeout_;
};

} // namespace veld23::link
