#include "link/LinkTexts.h"
#include "support/SimulatedLink.h"

#include <gtest/gtest.h>

#include <chrono>

namespace veld23::link {
namespace {

using testing::SimulatedLink;
using testing::TestImage;
using Bytes = std::vector<std::uint8_t>;
using Call = SimulatedD2xx::Call;

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
