// Commands over the simulated serial port and USB converter: the bytes, the answers
// checked, and how each link fails.
#include "link/LinkTexts.h"
#include "support/SimulatedLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <numeric>

namespace veld23::link {
namespace {

using testing::SimulatedLink;
using testing::TestImage;
using Bytes = std::vector<std::uint8_t>;
using Call = SimulatedD2xx::Call;

class SerialTransfer : public ::testing::Test {
  protected:
    void SetUp() override { s.SelectCom1(); }
    SimulatedLink s;
};

TEST_F(SerialTransfer, LinkCheckPutsTheHeaderAndEndOnTheWire) {
    EXPECT_TRUE(s.engine.RunCommand(0, 0, 0, true));
    EXPECT_EQ(s.TakeSent(), (Bytes{0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55}));
    EXPECT_EQ(
        s.ui.log,
        (std::vector<std::string>{
            "port:Comunication Port : COM1", "info:Sending START...", "info:Received START...",
            "info:Sending COMMAND...", "info:Received COMMAND...", "info:Sending PROGRAM NUMBER...",
            "info:Received Program Number...", "info:Sending LONG...", "info:Received LONG...",
            "info:Sending END...", "info:Received END...", "info:Communication OK...", "close"}));
    EXPECT_TRUE(s.port.IsOpen()); // left open for its owner
}

TEST_F(SerialTransfer, ShortLengthsSendNoneOrOneRemainderBlock) {
    ASSERT_TRUE(s.engine.RunCommand(7, 3, 0, true));
    EXPECT_EQ(s.processor.Completed().back().blocks, 0);
    EXPECT_EQ(s.processor.RunningProgram(), 3);
    EXPECT_EQ(s.TakeSent(), (Bytes{0x80, 7, 3, 3, 0, 0, 0x55}));

    s.engine.TransmitBuffer()[0] = 0xFF;
    ASSERT_TRUE(s.engine.RunCommand(5, 0, 1, true));
    EXPECT_EQ(s.processor.Completed().back().blocks, 1);
    EXPECT_TRUE(s.processor.KeyboardLocked());
    EXPECT_EQ(s.TakeSent(), (Bytes{0x80, 5, 0, 0, 0, 1, 0xFF, 0x55}));

    std::iota(s.engine.TransmitBuffer().begin(), s.engine.TransmitBuffer().begin() + 7, 1);
    ASSERT_TRUE(s.engine.RunCommand(6, 0, 7, true));
    EXPECT_EQ(s.processor.Password(), (std::array<std::uint8_t, 7>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(s.ui.Has("info:Sending DATA...")); // no memory number outside commands 3 and 4

    ASSERT_EQ(s.engine.LoadImage(TestImage(99)), 100);
    ASSERT_TRUE(s.engine.RunCommand(3, 1, 100, false));
    EXPECT_EQ(s.processor.Completed().back().blocks, 2);
}

// The value of a block's acknowledgement does not matter.
TEST_F(SerialTransfer, Long2048IsThirtyTwoBlocksAndNoRemainder) {
    s.processor.Faults().wrongAt = SimStep::Data;
    const Bytes image = TestImage(2047);
    const std::uint16_t length = s.engine.LoadImage(image);
    ASSERT_EQ(length, 2048);
    s.ui.shownMemory = 4;
    ASSERT_TRUE(s.engine.RunCommand(3, 4, length, true));
    EXPECT_EQ(s.processor.Completed().back().blocks, 32);
    Bytes stored = image;
    stored.push_back(0);
    EXPECT_EQ(s.processor.Memory(4), stored);
    EXPECT_TRUE(s.ui.Has("info:Sending DATA... to Memory 4"));
    EXPECT_EQ(s.ui.gaugeMax, 2048);
    ASSERT_EQ(s.ui.gaugePositions.size(), 33u);
    EXPECT_EQ(s.ui.gaugePositions[1], 64);
    EXPECT_EQ(s.ui.gaugePositions.back(), 2048);
}

// The running memory the processor names is shown in the selector; one outside the
// memories fails with its text and keeps the link.
TEST_F(SerialTransfer, QueryAnswerSetsTheMemorySelector) {
    s.processor.SetRunningProgram(3);
    EXPECT_TRUE(s.engine.RunCommand(19, 0, 0, true));
    EXPECT_EQ(s.engine.CurrentProgram(), 3);
    EXPECT_EQ(s.ui.selector, 3);
    EXPECT_EQ(s.TakeSent(), (Bytes{0x80, 19, 0, 0, 0, 0, 0x55}));
    for (const int answer : {0, 9, 200}) {
        s.processor.SetRunningProgram(answer);
        EXPECT_FALSE(s.engine.RunCommand(19, 0, 0, true)) << answer;
        EXPECT_EQ(s.ui.infoText, "  ¡¡ERROR!! N_PROG NO VALID ");
        EXPECT_EQ(s.ui.selector, 3);
        EXPECT_EQ(s.link.Kind(), LinkKind::Com1);
    }
}

TEST_F(SerialTransfer, ProtectedMemoryStopsTheWriteBeforeLoading) {
    s.processor.SetProtected(2, true);
    const Bytes before = s.processor.Memory(2);
    EXPECT_EQ(s.engine.WriteMemory(2, TestImage(2047), true).result, WriteOutcome::Result::Failed);
    EXPECT_TRUE(s.ui.Has("information:" + std::string(texts::kMemoryProtected)));
    // The processor answered as it should: a locked memory is no fault of the link.
    EXPECT_EQ(s.link.Condition(), LinkCondition::Answering);
    // Nothing after the program number: no second program byte, no data, no command 7.
    EXPECT_EQ(s.TakeSent(), (Bytes{0x80, 3, 2}));
    EXPECT_EQ(s.processor.Memory(2), before);
    EXPECT_EQ(s.processor.RunningProgram(), 1);
}

TEST_F(SerialTransfer, ImagesThatCannotBeSentAreRefusedBeforeTheWire) {
    Bytes image = TestImage(2047);
    image[0] = 0x08; // claims more than it holds
    EXPECT_EQ(s.engine.LoadImage(image), 0);
    EXPECT_EQ(s.engine.LoadImage(Bytes{0x00}), 0);
    EXPECT_FALSE(s.engine.WriteMemory(1, image, false).Succeeded());
    EXPECT_TRUE(s.processor.FromEditor().empty());
    // The byte after a loaded image is zero, whatever the buffer held before.
    s.engine.TransmitBuffer()[2047] = 0x77;
    ASSERT_EQ(s.engine.LoadImage(TestImage(2047)), 2048);
    EXPECT_EQ(s.engine.TransmitBuffer()[2047], 0);
}

// A wrong answer at each header step, over the serial port and over USB: the transfer
// fails with the step's text (which the failure carries), the link stays chosen and is
// marked as answering wrongly.
struct WrongEcho {
    SimStep step;
    std::uint8_t value;
    std::string serialText;
    std::string usbText;
};

class WrongEchoTest : public ::testing::TestWithParam<std::tuple<WrongEcho, bool>> {};

TEST_P(WrongEchoTest, FailsWithItsTextAndKeepsTheLink) {
    const auto& [c, usb] = GetParam();
    SimulatedLink s;
    usb ? s.SelectUsb() : s.SelectCom1();
    s.processor.Faults().wrongAt = c.step;
    s.processor.Faults().wrongValue = c.value;
    const Result<> run = s.engine.RunCommand(7, 2, 0, true);
    EXPECT_FALSE(run);
    const std::string& text = usb ? c.usbText : c.serialText;
    EXPECT_EQ(s.ui.infoText, text);
    EXPECT_EQ(run.Message(), text);
    EXPECT_TRUE(s.ui.progressShown);
    EXPECT_TRUE(s.ui.Has("failed")); // the window may be dismissed now
    EXPECT_EQ(s.link.Kind(), usb ? LinkKind::Usb : LinkKind::Com1);
    EXPECT_EQ(s.link.Condition(), LinkCondition::AnsweredWrongly);
    EXPECT_EQ(s.ui.Has("message:ERROR"), c.step == SimStep::End);
    EXPECT_FALSE(s.usb.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WrongEchoTest,
    ::testing::Combine(
        ::testing::Values(WrongEcho{SimStep::Start, 0x81, "  ¡¡ERROR!! HEADER NO VALID(129)",
                                    "  ¡¡ERROR!! DATA NO VALID(129)"},
                          WrongEcho{SimStep::Command, 0x01, "  ¡¡ERROR!! COMMAND NO VALID ",
                                    "  ¡¡ERROR!! DATA NO VALID (cmd)"},
                          WrongEcho{SimStep::Program, 0x05, "  ¡¡ERROR!! N_PROG NO VALID ",
                                    "  ¡¡ERROR!! DATA NO VALID (n_prog)"},
                          WrongEcho{SimStep::Long, 0x10, "¡¡ERROR!! LONG NO VALID (16)",
                                    "¡¡ERROR!! DATA NO VALID (Long)"},
                          WrongEcho{SimStep::End, 0x54, " ¡¡ERROR!! END NO VALID (84)",
                                    " ¡¡ERROR!! DATA NO VALID (END)"}),
        ::testing::Bool()));

TEST_F(SerialTransfer, OnlyTheFirstByteOfAReceptionCountsInAHeaderStep) {
    for (const SimStep step : {SimStep::Start, SimStep::Command, SimStep::Program, SimStep::Long}) {
        SimulatedLink t;
        t.SelectCom1();
        t.processor.Faults().burstAt = step;
        t.processor.Faults().burstCount = 5;
        EXPECT_TRUE(t.engine.RunCommand(7, 2, 0, true)) << SimStepName(step);
        EXPECT_EQ(t.processor.RunningProgram(), 2);
        // The answer and its burst came as one reception.
        const auto& sizes = t.port.EventSizes();
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), 6u), sizes.end());
    }
}

TEST_F(SerialTransfer, ACommandStartedDuringATransferIsRefused) {
    struct ReenteringWaiter : Waiter {
        Waiter& inner;
        TransferEngine* engine = nullptr;
        int refused = 0;
        explicit ReenteringWaiter(Waiter& w) : inner(w) {}
        bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds t) override {
            if (!engine->RunCommand(0, 0, 0, false) && !engine->ReceiveMemory(1)) {
                ++refused;
            }
            return inner.WaitUntil(done, t);
        }
        void Wake() override {}
        void ProcessPendingEvents() override { inner.ProcessPendingEvents(); }
    } waiter(s.waiter);
    TransferEngine engine(s.link, waiter, s.ui);
    waiter.engine = &engine;
    EXPECT_TRUE(engine.RunCommand(7, 5, 0, false));
    EXPECT_EQ(waiter.refused, 5); // one try at each of the five answers
    EXPECT_EQ(s.processor.Completed().size(), 1u);
    EXPECT_FALSE(engine.Running());
}

TEST_F(SerialTransfer, APortThatWillNotOpenAgainFailsAtOnceWithItsReason) {
    s.port.ClosePort();
    s.port.SetUnavailable(ComPortNumber::pnCOM1, true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.engine.RunCommand(0, 0, 0, true));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(s.ui.Has("error:" + std::string(texts::kComPortInUse)));
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_TRUE(s.processor.FromEditor().empty());
}

// The one serial command test that waits out the real watchdog.
TEST_F(SerialTransfer, ASilentProcessorTimesOutAfterTwoSecondsAndTakesTheLinkOffline) {
    s.processor.Faults().silentAt = SimStep::Command;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.engine.RunCommand(0, 0, 0, true));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(2000));
    EXPECT_LT(elapsed, std::chrono::milliseconds(2500));
    EXPECT_EQ(s.link.Condition(), LinkCondition::Offline);
    const std::vector<std::string> tail(s.ui.log.end() - 5, s.ui.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"beep", "error:" + std::string(texts::kComPortError),
                                              "main", "close", "failed"}));
    EXPECT_EQ(s.ui.infoText, "Sending COMMAND...");
}

class UsbTransfer : public ::testing::Test {
  protected:
    void SetUp() override {
        s.SelectUsb();
        calls = s.usb.Calls().size();
    }
    std::vector<Call> NewCalls() const {
        return {s.usb.Calls().begin() + static_cast<std::ptrdiff_t>(calls), s.usb.Calls().end()};
    }
    SimulatedLink s;
    std::size_t calls = 0;
};

TEST_F(UsbTransfer, EachAnswerIsAReadAfterItsTimeOutsAndTheDeviceIsClosedAtTheEnd) {
    ASSERT_TRUE(s.engine.RunCommand(7, 2, 0, false));
    const std::vector<Call> expected = {
        Call::Open,  Call::Purge,                                      // what came before
        Call::Write, Call::SetTimeouts, Call::Read,                    // START
        Call::Write, Call::SetTimeouts, Call::Read,                    // COMMAND
        Call::Write, Call::SetTimeouts, Call::Read,                    // PROGRAM NUMBER
        Call::Write,                                                   // again
        Call::Write, Call::Write,       Call::SetTimeouts, Call::Read, // LONG
        Call::Write, Call::SetTimeouts, Call::Read,                    // END
        Call::Close};
    EXPECT_EQ(NewCalls(), expected);
    EXPECT_EQ(s.usb.ReadTimeoutMs(), 1000u);
}

TEST_F(UsbTransfer, ADataBlockGoesOutInOneWrite) {
    ASSERT_EQ(s.engine.LoadImage(TestImage(2047)), 2048);
    ASSERT_TRUE(s.engine.RunCommand(3, 5, 2048, true));
    EXPECT_EQ(s.processor.Completed().back().blocks, 32);
    EXPECT_TRUE(s.ui.Has("port:Comunication Port : USB"));
    // 7 header writes (START, COMMAND, PROGRAM twice, LONG twice, END) and 32 blocks.
    EXPECT_EQ(std::count(s.usb.Calls().begin(), s.usb.Calls().end(), Call::Write), 39);
}

TEST_F(UsbTransfer, AMissingAnswerFailsTheTransferButKeepsTheLink) {
    s.processor.Faults().silentAt = SimStep::Long;
    const Result<> run = s.engine.RunCommand(0, 0, 0, true);
    EXPECT_FALSE(run);
    EXPECT_EQ(s.ui.infoText, texts::kUsbNoAnswer);
    EXPECT_EQ(run.Message(), texts::kUsbNoAnswer);
    EXPECT_EQ(s.link.Kind(), LinkKind::Usb);
    EXPECT_EQ(s.link.Condition(), LinkCondition::Silent);
    EXPECT_FALSE(s.usb.IsOpen());
}

TEST_F(UsbTransfer, AMissingAcknowledgementFailsTheTransfer) {
    s.processor.Faults().hangUpAfterBlocks = 5;
    ASSERT_EQ(s.engine.LoadImage(TestImage(2047)), 2048);
    EXPECT_FALSE(s.engine.RunCommand(3, 2, 2048, true));
    EXPECT_TRUE(s.processor.Memory(2).empty());
}

TEST_F(UsbTransfer, AReadWaitsOutItsTimeOut) {
    s.usb.SetRealTimeouts(true);
    s.processor.Faults().silentAt = SimStep::Start;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.engine.RunCommand(0, 0, 0, true));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(1000));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
}

TEST_F(UsbTransfer, AConverterThatWillNotOpenFailsTheTransferOffline) {
    s.usb.SetAttached(false);
    EXPECT_FALSE(s.engine.RunCommand(0, 0, 0, true));
    EXPECT_TRUE(
        s.ui.Has("error:" + std::string(texts::kUsbOpenPrefix) + " - Device Not Found...."));
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_TRUE(s.processor.FromEditor().empty());
}

TEST_F(UsbTransfer, DriverErrorsAreReportedWithTheirPrefixAndTakeTheLinkOffline) {
    const std::vector<std::pair<Call, std::string>> cases = {
        {Call::SetTimeouts, "Comunication ERROR. Please verify that the USB port is correct - "
                            "General IO Error..."},
        {Call::Write, "USB Write Failed - General IO Error..."},
        {Call::Read, "USB Read Failed - General IO Error..."},
    };
    for (const auto& [call, text] : cases) {
        SimulatedLink t;
        t.SelectUsb();
        t.usb.FailCall(call, ft::kIoError, 2);
        EXPECT_FALSE(t.engine.RunCommand(0, 0, 0, true)) << text;
        EXPECT_TRUE(t.ui.Has("error:" + text)) << text;
        EXPECT_EQ(t.link.Kind(), LinkKind::Offline);
        EXPECT_FALSE(t.usb.IsOpen());
    }
}

TEST_F(UsbTransfer, MemoryProtectedIsShownBeforeTheDeviceCloses) {
    s.processor.SetProtected(7, true);
    bool openWhenShown = false;
    s.ui.onInformation = [&] { openWhenShown = s.usb.IsOpen(); };
    EXPECT_FALSE(s.engine.WriteMemory(7, TestImage(2047), true).Succeeded());
    EXPECT_TRUE(openWhenShown);
    EXPECT_FALSE(s.usb.IsOpen());
    EXPECT_EQ(s.TakeSent(), (Bytes{0x80, 3, 7}));
}

} // namespace
} // namespace veld23::link
