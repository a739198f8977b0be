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

TEST(PtyTransfer, WriteThenReadBackAMemory) {
    PtyLink p;
    ASSERT_FALSE(p.path.empty());
    ASSERT_TRUE(p.link.SelectCom(ComPortNumber::pnCOM1));
    ASSERT_EQ(p.engine.RunCommand(0, 0, 0, true), 0);
    const Bytes image = testing::TestImage(2047, 3);
    ASSERT_EQ(p.engine.WriteMemory(3, image), 0);
    ASSERT_EQ(p.engine.RunCommand(19, 0, 0, true), 0);
    EXPECT_EQ(p.engine.CurrentProgram(), 3);
    ASSERT_EQ(p.engine.ReceiveMemory(3), 0);
    ASSERT_EQ(p.applied.size(), 1u);
    EXPECT_EQ(p.applied[0], Bytes(image.begin(), image.begin() + 2046));
    EXPECT_EQ(p.ui.infoText, "Comunication is OK...");
}

TEST(PtyTransfer, WrongAnswersFromTheProgramGiveTheirTexts) {
    PtyLink p({"--wrong", "long=7"});
    ASSERT_TRUE(p.link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_EQ(p.engine.RunCommand(0, 0, 0, true), 1);
    EXPECT_EQ(p.ui.infoText, "¡¡ERROR!! LONG NO VALID (7)");
    EXPECT_EQ(p.link.Kind(), LinkKind::Com1);
}

TEST(PtyTransfer, AReceptionPacedByTheLineArrivesInSeveralEvents) {
    PtyLink p({"--baud", "115200"});
    ASSERT_TRUE(p.link.SelectCom(ComPortNumber::pnCOM1));
    ASSERT_EQ(p.engine.WriteMemory(5, testing::TestImage(2047)), 0);
    ASSERT_EQ(p.engine.ReceiveMemory(5), 0);
    ASSERT_EQ(p.applied.size(), 1u);
    EXPECT_EQ(p.applied[0].size(), 2046u);
}

} // namespace
} // namespace veld23::link
