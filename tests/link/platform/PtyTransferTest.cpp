// The transfer engine over the Qt serial driver and a real pseudo terminal,
// with the veld23-sim program as the processor.
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/SimulatedD2xx.h"
#include "link/TransferEngine.h"
#include "link/serial/QtEventLoopWaiter.h"
#include "link/serial/TCommPortDriver.h"
#include "support/RecordingLinkUi.h"
#include "support/SimulatedLink.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace veld23::link {
namespace {

using testing::Subprocess;
using Bytes = std::vector<std::uint8_t>;

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
