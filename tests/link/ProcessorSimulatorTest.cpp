#include "link/ProcessorSimulator.h"
#include "link/PollingWaiter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veld23::link {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = ProcessorSimulator::Clock;

Bytes TakeAll(ProcessorSimulator& p, Clock::time_point now) {
    Bytes out(256);
    out.resize(p.Take(out, now));
    return out;
}

TEST(ProcessorSimulator, AnswersNoSoonerThanTheLineCarriesTheBytes) {
    ProcessorSimulator p(19200);
    const auto t0 = Clock::now();
    const auto byte = std::chrono::microseconds(520); // 10 bits at 19200 bit/s
    p.Feed(Bytes{0x80}, t0);
    // The START byte needs one byte time to arrive and its echo another.
    EXPECT_TRUE(TakeAll(p, t0 + 2 * byte - std::chrono::microseconds(5)).empty());
    EXPECT_EQ(TakeAll(p, t0 + 2 * byte + std::chrono::microseconds(5)), Bytes{0x80});
}

TEST(ProcessorSimulator, ABlockIsAcknowledgedAfterAllOfItHasCrossed) {
    ProcessorSimulator p(19200);
    const auto t0 = Clock::now();
    p.Feed(Bytes{0x80, 3, 1, 1, 0, 64}, t0);
    TakeAll(p, t0 + std::chrono::seconds(1));
    const auto t1 = t0 + std::chrono::seconds(1);
    p.Feed(Bytes(64, 0x11), t1);
    const auto byte = std::chrono::nanoseconds(520'833);
    EXPECT_FALSE(p.NextOutputTime() < t1 + 65 * byte - std::chrono::microseconds(2));
    EXPECT_EQ(TakeAll(p, t1 + 66 * byte), Bytes{0x11});
}

TEST(ProcessorSimulator, ProtectionCoversEveryCommandThatAddressesTheMemory) {
    for (const std::uint8_t command : {3, 4, 7}) {
        ProcessorSimulator p;
        p.SetProtected(6, true);
        p.Feed(Bytes{0x80, command, 6}, Clock::now());
        EXPECT_EQ(TakeAll(p, Clock::now()), (Bytes{0x80, command, 0xFF}));
        // The processor is ready for the next transfer straight away.
        p.Feed(Bytes{0x80, 7, 5, 5, 0, 0, 0x55}, Clock::now());
        EXPECT_EQ(TakeAll(p, Clock::now()), (Bytes{0x80, 7, 5, 0, 0x55}));
        EXPECT_EQ(p.RunningProgram(), 5);
    }
}

TEST(ProcessorSimulator, RealTimeMessagesAreKeptAndNotAcknowledged) {
    ProcessorSimulator p;
    Bytes message = {0x80, 0x12, 0x01, 0x02, 0x00, 0xB7, 0x00, 0x00, 0x30, 0x55};
    p.Feed(message, Clock::now());
    EXPECT_EQ(TakeAll(p, Clock::now()), Bytes{0x80}); // only the START echo
    ASSERT_EQ(p.RealTimeMessages().size(), 1u);
    const auto& kept = p.RealTimeMessages()[0];
    EXPECT_EQ(std::tuple(kept.selector, kept.kind, kept.body),
              std::tuple(1, 2, Bytes{0x00, 0xB7, 0x00, 0x00, 0x30}));
    EXPECT_TRUE(p.Completed().empty());
}

TEST(ProcessorSimulator, AnAbandonedReceptionDoesNotSwallowTheNextCommand) {
    ProcessorSimulator p;
    p.SetMemory(2, Bytes{0x00, 0x03, 1, 2});
    p.Faults().announcedLength = 40000;
    p.Feed(Bytes{0x80, 4, 2, 2, 0, 0, 0x55, 0x80, 0x80, 4, 2, 0x9C}, Clock::now());
    TakeAll(p, Clock::now());
    // The editor refused the length and starts over instead of echoing it.
    p.Feed(Bytes{0x80, 0, 0, 0, 0, 0, 0x55}, Clock::now());
    EXPECT_EQ(TakeAll(p, Clock::now()), (Bytes{0x80, 0, 0, 0, 0x55}));
}

TEST(ProcessorSimulator, AHalfReceivedWriteIsGivenUpAfterTwoQuietSeconds) {
    ProcessorSimulator p;
    const auto t0 = Clock::now();
    p.Feed(Bytes{0x80, 3, 4, 4, 0, 64}, t0);
    p.Feed(Bytes(10, 0x11), t0); // the editor went away in the middle of the block
    TakeAll(p, t0);
    EXPECT_FALSE(p.ForgetIfIdle(t0 + std::chrono::milliseconds(1900)));
    // Two quiet seconds later the processor takes a query for a query again.
    p.Feed(Bytes{0x80, 0x13, 0, 0, 0, 0, 0x55}, t0 + std::chrono::milliseconds(2100));
    EXPECT_EQ(TakeAll(p, t0 + std::chrono::seconds(3)), (Bytes{0x80, 0x13, 1, 0, 0x55}));
    ASSERT_EQ(p.ForgottenTransfers().size(), 1u);
    EXPECT_EQ(std::tuple(p.ForgottenTransfers()[0].command, p.ForgottenTransfers()[0].program),
              std::tuple(3, 4));
    EXPECT_TRUE(p.Memory(4).empty());
}

TEST(ProcessorSimulator, BytesOutsideATransferAreIgnored) {
    ProcessorSimulator p;
    p.Feed(Bytes{0x00, 0x55, 0x13}, Clock::now());
    EXPECT_FALSE(p.NextOutputTime());
}

// Events that are due already, as a source holds them: delivered without waiting, one
// at a time when the caller asks for what is pending.
struct DueEvents : EventSource {
    int pending = 0;
    int delivered = 0;
    bool DispatchOne(Clock::time_point) override {
        if (pending == 0) {
            return false;
        }
        --pending;
        ++delivered;
        return true;
    }
    std::optional<Clock::time_point> NextEventTime() const override {
        return pending > 0 ? std::optional(Clock::now()) : std::nullopt;
    }
};

TEST(PollingWaiter, DeliversDueEventsOneAtATimeWithoutWaiting) {
    DueEvents source;
    source.pending = 3;
    PollingWaiter waiter;
    waiter.AddSource(source);
    waiter.ProcessPendingEvents();
    EXPECT_EQ(source.delivered, 1);
    EXPECT_TRUE(
        waiter.WaitUntil([&] { return source.delivered == 3; }, std::chrono::milliseconds(1)));
    EXPECT_FALSE(waiter.WaitUntil([] { return false; }, std::chrono::milliseconds(1)));
}

} // namespace
} // namespace veld23::link
