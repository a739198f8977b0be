// The drivers on real (pseudo) devices: the Qt serial driver alone and under the transfer
// engine with veld23-sim as the processor, and the FTDI converter's library without one.
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/SimulatedD2xx.h"
#include "link/TransferEngine.h"
#include "link/serial/QtEventLoopWaiter.h"
#include "link/serial/TCommPortDriver.h"
#include "link/usb/FtdiD2xx.h"
#include "support/PseudoTerminal.h"
#include "support/RecordingLinkUi.h"
#include "support/SimulatedLink.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <numeric>

namespace veld23::link {
namespace {

using testing::PseudoTerminal;
using testing::Subprocess;
using Bytes = std::vector<std::uint8_t>;

class CommPortDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(pty.SlavePath().empty());
        driver.UseComm1Values();
        driver.SetPortPath(ComPortNumber::pnCOM1, pty.SlavePath());
        driver.SetOnReceiveData([this](std::span<const std::uint8_t> data) {
            events.push_back(data.size());
            received.insert(received.end(), data.begin(), data.end());
            waiter.Wake();
        });
    }
    bool WaitForBytes(std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::seconds(2)) {
        return waiter.WaitUntil([&] { return received.size() >= count; }, timeout);
    }

    PseudoTerminal pty;
    TCommPortDriver driver;
    QtEventLoopWaiter waiter;
    std::vector<std::size_t> events;
    Bytes received;
};

TEST_F(CommPortDriver, ThreeHundredBytesArriveAsEventsOfAtMost128) {
    ASSERT_TRUE(driver.OpenPort());
    Bytes sent(300);
    std::iota(sent.begin(), sent.end(), std::uint8_t{0});
    pty.Write(sent);
    ASSERT_TRUE(WaitForBytes(300));
    EXPECT_EQ(received, sent);
    EXPECT_GE(events.size(), 3u);
    for (const std::size_t size : events) {
        EXPECT_LE(size, 128u);
        EXPECT_GT(size, 0u);
    }
}

// Opening purges what waited before; opening an open port changes nothing, purges nothing.
TEST_F(CommPortDriver, OpeningPurgesWhatWaitedBeforeButNotAgain) {
    pty.Write(Bytes{9, 9, 9});
    ASSERT_TRUE(driver.OpenPort());
    pty.Write(Bytes{1, 2, 3});
    driver.SetComPort(ComPortNumber::pnCOM2); // ignored while open
    driver.SetComPortInBufSize(8);            // likewise
    EXPECT_TRUE(driver.OpenPort());
    EXPECT_EQ(driver.ComPort(), ComPortNumber::pnCOM1);
    EXPECT_EQ(driver.ComPortInBufSize(), 128);
    ASSERT_TRUE(WaitForBytes(3));
    waiter.WaitUntil([] { return false; }, std::chrono::milliseconds(60));
    EXPECT_EQ(received, (Bytes{1, 2, 3}));
}

TEST_F(CommPortDriver, APortThatWillNotOpenSaysWhy) {
    using Kind = PortOpenError::Kind;
    ASSERT_TRUE(driver.OpenPort());
    TCommPortDriver second;
    second.UseComm1Values();
    // Held by the first driver (even the superuser is kept out), absent, or no serial port.
    const std::vector<std::pair<std::string, PortOpenError>> cases = {
        {pty.SlavePath(), {Kind::InUse, "in use by another program"}},
        {"/dev/veld23-no-such-port", {Kind::NotFound, "No such file or directory"}},
        {"/dev/null", {Kind::NotSerial, "Not a serial port"}},
        {"/tmp", {Kind::NotSerial, "Not a serial port"}},
    };
    for (const auto& [path, error] : cases) {
        second.SetPortPath(ComPortNumber::pnCOM1, path);
        EXPECT_FALSE(second.OpenPort()) << path;
        EXPECT_EQ(second.LastOpenError().kind, error.kind) << path;
        EXPECT_EQ(second.LastOpenError().reason, error.reason) << path;
    }
    driver.ClosePort();
    second.SetPortPath(ComPortNumber::pnCOM1, pty.SlavePath());
    EXPECT_TRUE(second.OpenPort());
    EXPECT_EQ(second.LastOpenError().kind, Kind::None);
}

// Blocks go out inside SendBlock (no event loop runs) and only while the port is open;
// once it is closed nothing arrives either.
TEST_F(CommPortDriver, SendsAndReceivesOnlyWhileOpen) {
    EXPECT_EQ(driver.SendBlock(Bytes{1, 2, 3}), 0);
    EXPECT_EQ(driver.OutputFreeSpace(), 65535);
    ASSERT_TRUE(driver.OpenPort());
    EXPECT_EQ(driver.OutputFreeSpace(), 2048);
    Bytes block(64);
    std::iota(block.begin(), block.end(), std::uint8_t{100});
    EXPECT_EQ(driver.SendBlock(block), 64);
    EXPECT_EQ(pty.Read(), block);
    driver.ClosePort();
    EXPECT_EQ(driver.OutputFreeSpace(), 65535);
    driver.ClosePort(); // no effect when closed
    EXPECT_FALSE(driver.IsOpen());
    pty.Write(Bytes{1, 2});
    EXPECT_FALSE(WaitForBytes(1, std::chrono::milliseconds(120)));
    EXPECT_TRUE(events.empty());
}

TEST(QtEventLoopWaiter, GivesUpAfterItsBound) {
    QtEventLoopWaiter waiter;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waiter.WaitUntil([] { return false; }, std::chrono::milliseconds(80)));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(80));
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
}

TEST(QtEventLoopWaiter, EndsAsSoonAsAnEventHandlerWakesIt) {
    QtEventLoopWaiter waiter;
    bool done = false;
    QTimer::singleShot(10, [&] {
        done = true;
        waiter.Wake();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(waiter.WaitUntil([&] { return done; }, std::chrono::seconds(2)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

// These machines have no FTDI converter plugged in.
TEST(FtdiD2xx, WithoutAConverterOpenFindsNoDevice) {
    FtdiD2xx converter;
    EXPECT_EQ(converter.Open(0), ft::kDeviceNotFound);
    std::uint32_t count = 7;
    std::uint8_t byte = 0;
    EXPECT_EQ(converter.Read(std::span(&byte, 1), count), ft::kInvalidHandle);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(converter.Close(), ft::kInvalidHandle);
}

// The transfer engine over the Qt serial driver and a real pseudo terminal, with the
// veld23-sim program as the processor.
struct PtyLink {
    explicit PtyLink(std::vector<std::string> simArgs = {}) {
        simArgs.insert(simArgs.begin(), VELD23_SIM_PATH);
        sim = std::make_unique<Subprocess>(simArgs);
        path = sim->ReadLine();
        comm.UseComm1Values();
        comm.SetPortPath(ComPortNumber::pnCOM1, path);
        engine.SetImageHandler([this](std::span<const std::uint8_t> image) {
            applied.emplace_back(image.begin(), image.end());
        });
    }
    std::unique_ptr<Subprocess> sim;
    std::string path;
    testing::RecordingLinkUi ui;
    TCommPortDriver comm;
    ProcessorSimulator noConverter;
    SimulatedD2xx converter{noConverter};
    LinkController link{comm, converter, ui};
    QtEventLoopWaiter waiter;
    TransferEngine engine{link, waiter, ui};
    std::vector<Bytes> applied;
};

// Only a memory that reads back as it was sent is made the running one; the line speed of
// the first case paces the read-back into several events.
TEST(PtyTransfer, WriteVerifiesByReadingTheMemoryBack) {
    struct Case {
        std::vector<std::string> simArgs;
        WriteOutcome::Result result;
        std::size_t differing;
        int running;
    };
    for (const Case& c : {Case{{"--baud", "115200"}, WriteOutcome::Result::Verified, 0, 4},
                          Case{{"--corrupt=100"}, WriteOutcome::Result::Mismatch, 1, 1}}) {
        PtyLink p(c.simArgs);
        ASSERT_TRUE(p.link.SelectCom(ComPortNumber::pnCOM1));
        const WriteOutcome written = p.engine.WriteMemory(4, testing::TestImage(2047), true);
        EXPECT_EQ(written.result, c.result);
        EXPECT_EQ(written.differingBytes, c.differing);
        EXPECT_TRUE(p.applied.empty()); // the read-back is not taken into the configuration
        EXPECT_EQ(p.ui.Has("error:" + texts::VerifyMismatch(4, 1)), c.differing == 1);
        ASSERT_TRUE(p.engine.RunCommand(19, 0, 0, true));
        EXPECT_EQ(p.engine.CurrentProgram(), c.running);
    }
    EXPECT_EQ(texts::VerifyMismatch(4, 1),
              "Memory 4 does not hold what was sent: 1 byte differs when read back. It has not "
              "been made the running memory; please write it again.");
}

// The processor gives a half-received write up after two quiet seconds; the editor
// waits that long before its next command and discards what came late meanwhile.
TEST(PtyTransfer, ATimedOutWriteAtASlowLineIsFollowedByAReadThatWorks) {
    const testing::TempDir folder;
    folder.Write("memory2.bin", std::string("\x00\x03\xAA\xBB\x00", 5));
    PtyLink p({"--baud", "300", "--memory-dir", folder.path().string()});
    ASSERT_TRUE(p.link.SelectCom(ComPortNumber::pnCOM1));
    // A 64-byte block takes 2.1 s at 300 bit/s: its acknowledgement comes too late.
    EXPECT_EQ(p.engine.WriteMemory(3, testing::TestImage(2047), true).result,
              WriteOutcome::Result::Failed);
    EXPECT_TRUE(p.ui.Has("error:" + std::string(texts::kComPortError)));
    EXPECT_EQ(p.link.Kind(), LinkKind::Offline);

    ASSERT_TRUE(p.link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_TRUE(p.engine.ReceiveMemory(2));
    ASSERT_EQ(p.applied.size(), 1u);
    EXPECT_EQ(p.applied[0], (Bytes{0x00, 0x03, 0xAA}));
}

} // namespace
} // namespace veld23::link
