// The bytes of the real-time messages as the editors' edits put them on the link.
#include "CommandsTestBench.h"

#include "config/OutputDelay.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::CommandsBench;

// A bench connected on COM 1 in Real Time mode, as after a successful security read.
struct RealTimeBench : CommandsBench {
    RealTimeBench() : CommandsBench(OutputTopology::ThreeOutputs) {
        Connect();
        device.RealTime().SwitchOn();
    }
};

TEST(RealTimeMessages, OutputOneGainOfMinusSixDecibels) {
    RealTimeBench t;
    t.editors.levels.SetLevelText(1, "-6.0");
    t.editors.levels.LevelEnter(1);
    // Parameter 258; 10^(-6/20) = 0.501187... truncates to the word 08 04 DC.
    EXPECT_EQ(t.Sent(), (Bytes{0x80, 0x12, 0x01, 0x02, 0x01, 0x02, 0x08, 0x04, 0xDC, 0x55}));
    EXPECT_EQ(t.processor.Completed().size(), 1u) << "only the link check was a transfer";
}

TEST(RealTimeMessages, OutputTwoDelayOfFortyEightSamples) {
    RealTimeBench t;
    t.editors.delays.SetDelayPosition(2, OutputDelay::PositionForWord(48, 2, false));
    ASSERT_EQ(t.config.Delays[1].DelayWord, 48);
    EXPECT_EQ(t.Sent(), (Bytes{0x80, 0x12, 0x01, 0x02, 0x00, 0xB7, 0x00, 0x00, 0x30, 0x55}));
}

TEST(RealTimeMessages, BypassBandOfTheSecondInputAtThirtyFive) {
    RealTimeBench t;
    // Choosing the second equaliser selects its band 2 and then band 1.
    t.editors.equaliser.ChooseEqualiser(2);
    const Bytes sent = t.Sent();
    ASSERT_EQ(sent.size(), 44u);
    Bytes expected = {0x80, 0x12, 0x01, 0x00, 0x00, 0x23, 0x10, 0x00, 0x00};
    expected.resize(expected.size() + 12, 0x00);
    expected.push_back(0x55);
    EXPECT_EQ(Bytes(sent.begin() + 22, sent.end()), expected);
}

TEST(RealTimeMessages, EveryMessageCarriesTheSelector) {
    RealTimeBench t;
    EXPECT_EQ(t.device.RealTime().RealTimeSelector(), 1);
    t.editors.levels.ToggleMute(3);
    t.editors.equaliser.ChooseEqualiser(2);
    t.editors.delays.SetDelayPosition(1, 100);
    t.device.RealTime().SetRealTimeSelector(2);
    t.editors.levels.ToggleMute(3);
    t.device.RealTime().SetRealTimeSelector(7); // not a selector: ignored
    t.editors.levels.ToggleMute(3);
    const auto& messages = t.processor.RealTimeMessages();
    ASSERT_EQ(messages.size(), 6u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(messages[i].selector, 1) << i;
    }
    EXPECT_EQ(messages[4].selector, 2);
    EXPECT_EQ(messages[5].selector, 2);
    // A muted third output goes out as 0.0 on parameter 260.
    EXPECT_EQ(messages[0].body, (Bytes{0x01, 0x04, 0x00, 0x00, 0x00}));
}

TEST(RealTimeMessages, RmsCoefficientGoesAsKindOneWithWhatTheBufferHolds) {
    RealTimeBench t;
    t.editors.equaliser.ChooseEqualiser(2); // a five-value message leaves its body behind
    const Bytes fiveBody = t.processor.RealTimeMessages().back().body;
    t.Forget();
    t.editors.dynamics.StepTime(DynamicsTimeField::Attack, DynamicsTimeStep::Button, +1);
    const Bytes sent = t.Sent();
    ASSERT_EQ(sent.size(), 105u);
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 4), (Bytes{0x80, 0x12, 0x01, 0x01}));
    EXPECT_EQ(sent.back(), 0x55);
    const Bytes body(sent.begin() + 4, sent.end() - 1);
    EXPECT_EQ(Bytes(body.begin(), body.begin() + 2), (Bytes{0x00, 143}));
    // Bytes 6 to 17 are the five-value message's, the rest have never been written.
    EXPECT_EQ(Bytes(body.begin() + 5, body.begin() + 17),
              Bytes(fiveBody.begin() + 5, fiveBody.end()));
    EXPECT_EQ(Bytes(body.begin() + 17, body.end()), Bytes(83, 0x00));
}

TEST(RealTimeMessages, NoneGoesOutInTheMiddleOfATransfer) {
    RealTimeBench t;
    t.processor.SetProtected(1, true);
    bool busy = false;
    // The protection message is shown while the write is still running.
    t.dialogs.whileInforming = [&] {
        busy = t.device.RealTime().RealTimeBusy();
        t.editors.levels.ToggleMute(1);
        t.device.RealTime().SendRealTimeInteger(183, 48);
    };
    t.dialogs.answers = {commands::DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Write(), commands::CommandOutcome::Failed);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(t.processor.RealTimeMessages().empty());
    EXPECT_EQ(t.Sent(), (Bytes{0x80, 0x03, 0x01}));
    EXPECT_TRUE(t.config.Levels[0].OutputMuted); // the edit itself is kept
    EXPECT_FALSE(t.device.RealTime().RealTimeBusy());
}

TEST(RealTimeMessages, NothingIsSentOutsideRealTimeMode) {
    CommandsBench t(OutputTopology::ThreeOutputs);
    t.Connect();
    t.device.RealTime().SendRealTimeInteger(183, 48);
    EXPECT_TRUE(t.Sent().empty());
    // The transport step itself refuses an Offline link and an unknown kind.
    t.device.Link().SelectOffline();
    EXPECT_EQ(t.device.RealTime().SendRealTime(1, 2), 1);
    t.Connect();
    EXPECT_EQ(t.device.RealTime().SendRealTime(1, 3), 1);
    EXPECT_EQ(t.device.RealTime().SendRealTime(1, 2), 0);
    EXPECT_EQ(t.Sent().size(), 10u);
    // Going Offline ends the mode.
    t.device.RealTime().SwitchOn();
    t.device.Link().SelectOffline();
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
}

TEST(RealTimeMessages, ASerialSendThatFailsIsReportedOnceAndEndsTheMode) {
    RealTimeBench t;
    int darkened = 0;
    t.device.Presentation().SetChangeListener([&] {
        if (!t.device.RealTime().RealTimeMode()) {
            ++darkened;
        }
    });
    // The port has gone (another program took it) since the last message closed it.
    t.port.ClosePort();
    t.port.SetUnavailable(link::ComPortNumber::pnCOM1, true);
    // Nine messages would go out for this edit; the first failure stops the rest.
    t.editors.dynamics.SetThresholdPosition(t.editors.dynamics.ThresholdPosition() + 4);
    EXPECT_EQ(t.dialogs.log, (std::vector<std::string>{"message:ERROR"}));
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_GE(darkened, 1);
    EXPECT_TRUE(t.Sent().empty());
    // The link itself stays selected.
    EXPECT_EQ(t.device.Link().Kind(), link::LinkKind::Com1);
}

TEST(RealTimeMessages, AUsbConverterThatIsGoneEndsTheModeBeforeSendingAnything) {
    CommandsBench t;
    t.Connect(link::LinkIndicator::Usb);
    t.device.RealTime().SwitchOn();
    t.usb.SetAttached(false);
    t.editors.levels.ToggleMute(1);
    EXPECT_TRUE(t.dialogs.Has("message:ERROR"));
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(t.device.Link().Kind(), link::LinkKind::Offline);
    EXPECT_TRUE(t.Sent().empty());
}

TEST(RealTimeMessages, AUsbDriverErrorTakesTheLinkOfflineAndEndsTheMode) {
    CommandsBench t;
    t.Connect(link::LinkIndicator::Usb);
    t.device.RealTime().SwitchOn();
    t.usb.FailCall(link::SimulatedD2xx::Call::Write, link::ft::kIoError, 3);
    t.editors.levels.ToggleMute(1);
    EXPECT_EQ(t.dialogs.log,
              (std::vector<std::string>{"main", "error:USB Write Failed - General IO Error...",
                                        "message:ERROR"}));
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(t.device.Link().Kind(), link::LinkKind::Offline);
    EXPECT_FALSE(t.usb.IsOpen());
    EXPECT_EQ(t.Sent().size(), 2u); // the two bytes before the failing write
}

} // namespace
} // namespace veld23
