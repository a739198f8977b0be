// The memory reception half of TransferEngine: the processor sends a memory
// image with the same framing, the editor echoes and acknowledges.
#include "link/LinkTexts.h"
#include "link/Protocol.h"
#include "link/TransferEngine.h"

namespace veld23::link {

using namespace protocol;

namespace {

// Whatever way the reception ends, later receptions no longer land in the buffer.
struct DataScope {
    explicit DataScope(TransferChannel& channel) : channel(channel) {}
    ~DataScope() { channel.StopData(); }
    DataScope(const DataScope&) = delete;
    DataScope& operator=(const DataScope&) = delete;
    TransferChannel& channel;
};

} // namespace

bool TransferEngine::Receive(TransferChannel& channel, std::uint8_t program,
                             const ImageHandler& sink) {
    const bool usb = channel.IsUsb();
    const auto pause = [this] { waiter_.ProcessPendingEvents(); };

    view_.SetInfo("Read program...");
    if (usb) {
        pause();
        if (!channel.Open()) {
            return false;
        }
    }
    if (!channel.Send(OneByte(kStart))) {
        return false;
    }
    view_.SetInfo("Start comunication...");
    if (usb) {
        pause();
    }

    pause();
    view_.SetInfo("Receiving BEGIN...");
    auto byte = channel.Await();
    if (!byte) {
        return Silent();
    }
    // A wrong BEGIN is shown and the reception goes on.
    if (*byte != kStart) {
        view_.SetInfo(texts::WrongBegin(usb, *byte));
    }
    if (!channel.Send(OneByte(kStart))) {
        return false;
    }
    if (!usb && *byte == kStart) {
        view_.SetInfo("Received BEGIN...");
    }

    for (const char* text : {"Receiving COMMAND...", "Receiving PROGRAM..."}) {
        pause();
        view_.SetInfo(text);
        byte = channel.Await();
        if (!byte) {
            return Silent();
        }
        if (!channel.Send(OneByte(*byte))) {
            return false;
        }
    }

    pause();
    view_.SetInfo("Receiving LONG...");
    const auto high = channel.Await();
    if (!high) {
        return Silent();
    }
    if (!channel.Send(OneByte(*high))) {
        return false;
    }
    const auto low = channel.Await();
    if (!low) {
        return Silent();
    }
    receive_[0] = *high;
    receive_[1] = *low;
    const std::size_t length = *high * 256u + *low;
    if (length > kBufferSize) {
        return Fail(texts::OversizeLength(static_cast<unsigned>(length)));
    }
    // The first block follows the echo at once: collect from before it goes out.
    DataScope data(channel);
    channel.StartData(std::span(receive_).first(length));
    if (!channel.Send(OneByte(*low))) {
        return false;
    }
    view_.SetInfo("Received LONG...");

    if (!ReceiveData(channel, program, length)) {
        return false;
    }
    channel.StopData();

    pause();
    view_.SetInfo("Receiving END ...");
    byte = channel.Await();
    if (!byte) {
        return Silent();
    }
    // A wrong END is shown, echoed, and the image is still taken.
    if (*byte != kEnd) {
        view_.SetInfo(texts::kWrongEnd);
    }
    if (!channel.Send(OneByte(*byte))) {
        return false;
    }
    if (*byte == kEnd) {
        view_.SetInfo("Received END...");
    }
    view_.SetInfo("Comunication is OK...");
    view_.CloseProgress();
    if (sink) {
        sink(std::span<const std::uint8_t>(receive_).first(length));
    }
    return true;
}

bool TransferEngine::ReceiveData(TransferChannel& channel, std::uint8_t program,
                                 std::size_t length) {
    const bool usb = channel.IsUsb();
    const auto pauseIfUsb = [&] {
        if (usb) {
            waiter_.ProcessPendingEvents();
        }
    };
    const auto acknowledge = [&] {
        const std::uint8_t last = receive_[channel.Filled() - 1];
        pauseIfUsb();
        const bool sent = channel.Send(OneByte(last));
        pauseIfUsb();
        return sent;
    };

    const std::size_t fullBlocks = length / kBlockSize;
    for (std::size_t block = 0; block < fullBlocks; ++block) {
        const std::size_t end = (block + 1) * kBlockSize;
        if (!channel.AwaitData(end)) {
            return Silent();
        }
        view_.ShowProgress();
        view_.SetInfo("Receive data...");
        view_.SetGaugeMax(static_cast<int>(length));
        view_.SetInfo("LONG : " + std::to_string(length));
        view_.SetGaugePosition(static_cast<int>(end));
        view_.SetInfo("Reading Configuration " + std::to_string(program) + " from the VELD23");
        if (!acknowledge()) {
            return false;
        }
    }
    if (length % kBlockSize != 0) {
        if (!channel.AwaitData(length)) {
            return Silent();
        }
        view_.ShowProgress();
        view_.SetGaugeMax(static_cast<int>(length));
        view_.SetInfo("Rest...");
        view_.SetGaugePosition(static_cast<int>(length));
        if (!acknowledge()) {
            return false;
        }
    }
    view_.SetInfo("Data Received...");
    return true;
}

} // namespace veld23::link
