// The connect dialog: selectors and indicators, the link check and the status line.
#include "CommandsTestBench.h"

#include "commands/CommandTexts.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using link::LinkIndicator;
using link::LinkKind;
using testing::CommandsBench;
namespace texts = commands::texts;

std::vector<LinkIndicator> LitIndicators(const commands::ConnectDialog& dialog) {
    std::vector<LinkIndicator> lit;
    for (const LinkIndicator i :
         {LinkIndicator::Offline, LinkIndicator::Com1, LinkIndicator::Com2, LinkIndicator::Usb}) {
        if (dialog.Lit(i)) {
            lit.push_back(i);
        }
    }
    return lit;
}

TEST(ConnectDialog, ComOneIsCheckedAndShownConnected) {
    CommandsBench t;
    int closed = 0;
    t.connect.SetCloseListener([&] { ++closed; });
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com1));
    EXPECT_EQ(LitIndicators(t.connect), (std::vector<LinkIndicator>{LinkIndicator::Com1}));
    ASSERT_EQ(t.processor.Completed().size(), 1u);
    EXPECT_EQ(t.processor.Completed()[0].command, 0);
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Status : Connected at COM1");
    EXPECT_TRUE(t.ControlsEnabled());
    EXPECT_FALSE(t.connect.Shown());
    EXPECT_EQ(closed, 1);

    // Choosing again from the Connect button: COM 2 replaces COM 1 and ends Real Time mode.
    t.device.RealTime().SwitchOn();
    t.connect.Show();
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com2));
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(LitIndicators(t.connect), (std::vector<LinkIndicator>{LinkIndicator::Com2}));
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Status : Connected at COM2");
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Com2);
}

TEST(ConnectDialog, ABusyPortKeepsTheDialogOpen) {
    CommandsBench t;
    t.port.SetUnavailable(link::ComPortNumber::pnCOM2, true);
    EXPECT_FALSE(t.connect.Choose(LinkIndicator::Com2));
    EXPECT_EQ(t.dialogs.log,
              (std::vector<std::string>{"beep", "error:COM Port already in use. Select another."}));
    EXPECT_TRUE(t.connect.Shown());
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Offline);
    EXPECT_TRUE(t.processor.FromEditor().empty());
    EXPECT_EQ(t.device.Presentation().StatusLine(), "No Connected");
}

TEST(ConnectDialog, OfflineDisablesTheCommands) {
    CommandsBench t;
    t.Connect();
    ASSERT_TRUE(t.ControlsEnabled());
    t.connect.Show();
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Offline));
    EXPECT_EQ(LitIndicators(t.connect), (std::vector<LinkIndicator>{LinkIndicator::Offline}));
    EXPECT_EQ(t.device.Presentation().StatusLine(), texts::kStatusOffline);
    EXPECT_FALSE(t.ControlsEnabled());
    EXPECT_TRUE(t.Sent().empty());
    // Enabling has no effect while Offline.
    t.device.Link().SetDeviceCommandsEnabled(true);
    EXPECT_FALSE(t.ControlsEnabled());
}

TEST(ConnectDialog, AWrongAnswerLeavesTheLinkAndTheStatusLine) {
    CommandsBench t;
    t.processor.Faults().wrongAt = link::SimStep::Command;
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com1));
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Com1);
    EXPECT_EQ(t.device.Presentation().StatusLine(), "No Connected");
    EXPECT_EQ(t.progress.infoText, "  ¡¡ERROR!! COMMAND NO VALID ");
    EXPECT_TRUE(t.ControlsEnabled());
}

TEST(ConnectDialog, ASilentProcessorTakesTheLinkOffline) {
    CommandsBench t;
    t.processor.Faults().silentAt = link::SimStep::Start;
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com2));
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Offline);
    EXPECT_EQ(t.device.Presentation().StatusLine(), texts::kStatusOffline);
    EXPECT_TRUE(t.dialogs.Has(
        "error:Comunication ERROR. Please verify that the COM port selected is correct"));
    EXPECT_EQ(LitIndicators(t.connect),
              (std::vector<LinkIndicator>{LinkIndicator::Offline, LinkIndicator::Com2}));
    EXPECT_FALSE(t.ControlsEnabled());
}

TEST(ConnectDialog, UsbIsCheckedLikeASerialLink) {
    CommandsBench t;
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Usb));
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Usb);
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Status : USB");
    ASSERT_EQ(t.processor.Completed().size(), 1u);
    EXPECT_FALSE(t.usb.IsOpen());
    EXPECT_TRUE(t.ControlsEnabled());

    // A link check that fails selects Offline.
    t.connect.Show();
    t.processor.Faults().wrongAt = link::SimStep::Start;
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Usb));
    EXPECT_EQ(t.progress.infoText, "  ¡¡ERROR!! DATA NO VALID(192)");
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Offline);
    EXPECT_FALSE(t.device.Link().UsbLinkActive());
    EXPECT_FALSE(t.ControlsEnabled());
}

TEST(ConnectDialog, UsbWithoutAConverterEndsOffline) {
    CommandsBench t;
    t.usb.SetAttached(false);
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Usb));
    EXPECT_TRUE(t.dialogs.Has("error:Can't open the USB. Please verify that the USB port is "
                              "correct and your VELD23 unit is switch on - Device Not Found...."));
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Offline);
    EXPECT_EQ(t.device.Presentation().StatusLine(), texts::kStatusOffline);
    EXPECT_EQ(LitIndicators(t.connect),
              (std::vector<LinkIndicator>{LinkIndicator::Offline, LinkIndicator::Usb}));
    EXPECT_FALSE(t.ControlsEnabled());
}

} // namespace
} // namespace veld23
