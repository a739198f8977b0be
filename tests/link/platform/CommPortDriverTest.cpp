#include "link/LinkTexts.h"
#include "link/serial/QtEventLoopWaiter.h"
#include "link/serial/TCommPortDriver.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <numeric>

namespace veld23::link {
namespace {

using testing::PseudoTerminal;
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

} // namespace
} // namespace veld23::link
