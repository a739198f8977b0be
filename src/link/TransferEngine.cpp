#include "link/TransferEngine.h"

#include "link/LinkTexts.h"
#include "link/Protocol.h"

#include <algorithm>

namespace veld23::link {

using namespace protocol;

namespace {

struct RunningScope {
    explicit RunningScope(bool& flag) : flag(flag) { flag = true; }
    ~RunningScope() { flag = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
    bool& flag;
};

// Bytes of a failed transfer may still be crossing the line when the editor gives up;
// the processor's own time-out starts after the last of them. Half the time-out again
// covers a block at the slowest line speed and a processor (or simulator) that takes
// the bytes in late.
constexpr int kLineTimeShare = 2;

std::size_t CountDifferences(std::span<const std::uint8_t> sent,
                             std::span<const std::uint8_t> back) {
    const std::size_t common = std::min(sent.size(), back.size());
    std::size_t differing = std::max(sent.size(), back.size()) - common;
    for (std::size_t i = 0; i < common; ++i) {
        differing += sent[i] != back[i] ? 1 : 0;
    }
    return differing;
}

} // namespace

TransferEngine::TransferEngine(LinkController& link, Waiter& waiter, TransferView& view,
                               std::chrono::milliseconds answerTimeout)
    : link_(link), waiter_(waiter), view_(view), serial_(link, waiter, view, answerTimeout),
      usb_(link.Usb(), waiter, view), transmit_(kBufferSize), receive_(kBufferSize),
      processorTimeout_(answerTimeout + answerTimeout / kLineTimeShare) {}

TransferChannel& TransferEngine::ActiveChannel() {
    if (link_.UsbLinkActive()) {
        return usb_;
    }
    return serial_;
}

Result<> TransferEngine::RunCommand(std::uint8_t command, std::uint8_t program,
                                    std::uint16_t length, bool showProgress) {
    if (running_) {
        return Result<>::Failure(texts::kTransferRunning);
    }
    RunningScope scope(running_);
    return Run(ActiveChannel(), command, program, length, showProgress);
}

Result<> TransferEngine::ReceiveMemory(std::uint8_t program) {
    return ReceiveInto(program, imageHandler_);
}

Result<> TransferEngine::ReceiveInto(std::uint8_t program, const ImageHandler& sink) {
    if (running_) {
        return Result<>::Failure(texts::kTransferRunning);
    }
    RunningScope scope(running_);
    TransferChannel& channel = ActiveChannel();
    if (Result<> command = Run(channel, kReadMemory, program, 0, false); !command) {
        return command;
    }
    const bool ok = Receive(channel, program, sink);
    if (channel.IsUsb()) {
        channel.Close();
    }
    if (!ok) {
        view_.TransferFailed();
        return Failed();
    }
    return Result<>::Success();
}

std::uint16_t TransferEngine::LoadImage(std::span<const std::uint8_t> image) {
    if (image.size() < 2) {
        return 0;
    }
    const std::size_t longValue = image[0] * 256u + image[1] + 2u;
    if (longValue > image.size() + 1 || longValue > kBufferSize) {
        return 0;
    }
    std::copy(image.begin(), image.end(), transmit_.begin());
    std::fill(transmit_.begin() + static_cast<std::ptrdiff_t>(image.size()),
              transmit_.begin() + static_cast<std::ptrdiff_t>(longValue), std::uint8_t{0});
    return static_cast<std::uint16_t>(longValue);
}

WriteOutcome TransferEngine::WriteMemory(std::uint8_t program, std::span<const std::uint8_t> image,
                                         bool verify) {
    WriteOutcome outcome;
    // The transmit buffer belongs to a transfer that is running.
    if (running_) {
        return outcome;
    }
    const std::uint16_t longValue = LoadImage(image);
    if (longValue == 0 || !RunCommand(kWriteMemory, program, longValue, true)) {
        return outcome;
    }
    if (verify) {
        // The processor gives back as many bytes as the image's length word says.
        const std::size_t expected = std::min<std::size_t>(image[0] * 256u + image[1], longValue);
        std::vector<std::uint8_t> back;
        const auto keep = [&back](std::span<const std::uint8_t> bytes) {
            back.assign(bytes.begin(), bytes.end());
        };
        if (!ReceiveInto(program, keep)) {
            return outcome;
        }
        outcome.differingBytes =
            CountDifferences(std::span<const std::uint8_t>(transmit_).first(expected), back);
        if (outcome.differingBytes != 0) {
            outcome.result = WriteOutcome::Result::Mismatch;
            link_.Ui().ShowError(texts::VerifyMismatch(program, outcome.differingBytes));
            return outcome;
        }
    }
    if (!RunCommand(kLoadMemory, program, 0, true)) {
        return outcome;
    }
    outcome.result = verify ? WriteOutcome::Result::Verified : WriteOutcome::Result::Written;
    return outcome;
}

void TransferEngine::ShowProgressWindow(const TransferChannel& channel) {
    view_.SetPortLabel(texts::PortLabel(channel.PortName()));
    view_.ShowProgress();
}

bool TransferEngine::Fail(const std::string& text) {
    view_.SetInfo(text);
    failure_ = text;
    link_.NoteAnswer(false);
    quietUntil_ = Clock::now() + processorTimeout_;
    return false;
}

bool TransferEngine::Silent() {
    link_.NoteSilence();
    quietUntil_ = Clock::now() + processorTimeout_;
    return false;
}

void TransferEngine::WaitForProcessorToGiveUp() {
    const auto left = quietUntil_ - Clock::now();
    if (left > Clock::duration::zero()) {
        waiter_.WaitUntil([] { return false; }, std::chrono::ceil<std::chrono::milliseconds>(left));
    }
}

std::optional<std::uint8_t> TransferEngine::SendAndAwait(TransferChannel& channel,
                                                         std::span<const std::uint8_t> bytes) {
    if (!channel.Send(bytes)) {
        return std::nullopt;
    }
    return channel.Await();
}

Result<> TransferEngine::Run(TransferChannel& channel, std::uint8_t command, std::uint8_t program,
                             std::uint16_t length, bool showProgress) {
    failure_ = channel.IsUsb() ? texts::kUsbNoAnswer : texts::kComPortError;
    if (showProgress) {
        ShowProgressWindow(channel);
    }
    WaitForProcessorToGiveUp();
    if (!channel.Open()) {
        view_.TransferFailed();
        return Failed();
    }
    const bool ok = channel.PurgeInput() && Exchange(channel, command, program, length);
    channel.Close();
    if (!ok) {
        view_.TransferFailed();
        return Failed();
    }
    link_.NoteAnswer(true);
    if (command == kQueryProgram) {
        link_.Ui().SetMemorySelector(currentProgram_);
    }
    view_.CloseProgress();
    return Result<>::Success();
}

bool TransferEngine::Exchange(TransferChannel& channel, std::uint8_t command, std::uint8_t program,
                              std::uint16_t length) {
    const bool usb = channel.IsUsb();
    channel.PauseBetweenSteps();
    view_.SetInfo("Sending START...");
    auto answer = SendAndAwait(channel, OneByte(kStart));
    if (!answer) {
        return Silent();
    }
    if (*answer != kStart) {
        return Fail(texts::WrongStartAnswer(usb, *answer));
    }
    view_.SetInfo("Received START...");

    channel.PauseBetweenSteps();
    view_.SetInfo("Sending COMMAND...");
    answer = SendAndAwait(channel, OneByte(command));
    if (!answer) {
        return Silent();
    }
    if (*answer != command) {
        return Fail(texts::WrongCommandAnswer(usb));
    }
    view_.SetInfo("Received COMMAND...");

    channel.PauseBetweenSteps();
    view_.SetInfo("Sending PROGRAM NUMBER...");
    answer = SendAndAwait(channel, OneByte(program));
    if (!answer) {
        return Silent();
    }
    if (command == kQueryProgram || *answer != program) {
        if (*answer == kProtected) {
            // A right answer: the processor works, the memory is locked.
            link_.NoteAnswer(true);
            link_.Ui().ShowInformation(texts::kMemoryProtected);
            failure_ = texts::kMemoryProtected;
            return false;
        }
        currentProgram_ = *answer;
        // Only a memory number can be the running memory.
        if (command != kQueryProgram || !IsMemory(currentProgram_)) {
            return Fail(texts::WrongProgramAnswer(usb));
        }
    }
    view_.SetInfo("Received Program Number...");

    channel.PauseBetweenSteps();
    if (!channel.Send(OneByte(program))) {
        return false;
    }

    channel.PauseBetweenSteps();
    view_.SetInfo("Sending LONG...");
    const std::uint8_t high = static_cast<std::uint8_t>(length >> 8);
    const std::uint8_t low = static_cast<std::uint8_t>(length & 0xFF);
    if (!channel.Send(OneByte(high))) {
        return false;
    }
    answer = SendAndAwait(channel, OneByte(low));
    if (!answer) {
        return Silent();
    }
    if (*answer != low) {
        return Fail(texts::WrongLengthAnswer(usb, *answer));
    }
    view_.SetInfo("Received LONG...");

    if (length > 0) {
        channel.PauseBetweenSteps();
        std::string text = "Sending DATA...";
        if (command == kWriteMemory || command == kReadMemory) {
            text += " to Memory " + std::to_string(link_.Ui().ShownMemoryNumber());
        }
        view_.SetInfo(text);
        view_.SetGaugeMax(length);
        view_.SetGaugePosition(0);
        // Each block is acknowledged by one byte whose value does not matter.
        for (std::size_t offset = 0; offset < length; offset += kBlockSize) {
            const std::size_t count = std::min<std::size_t>(kBlockSize, length - offset);
            if (!SendAndAwait(channel, std::span(transmit_).subspan(offset, count))) {
                return Silent();
            }
            view_.SetGaugePosition(static_cast<int>(offset + count));
            channel.PauseBetweenSteps();
        }
    }

    channel.PauseBetweenSteps();
    view_.SetInfo("Sending END...");
    answer = SendAndAwait(channel, OneByte(kEnd));
    if (!answer) {
        return Silent();
    }
    if (*answer != kEnd) {
        link_.Ui().ShowMessage(texts::kEndErrorBox);
        return Fail(texts::WrongEndAnswer(usb, *answer));
    }
    view_.SetInfo("Received END...");
    view_.SetInfo("Communication OK...");
    return true;
}

} // namespace veld23::link
