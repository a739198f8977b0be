#include "link/LinkTexts.h"
#include "support/SimulatedLink.h"

#include <gtest/gtest.h>

namespace veld23::link {
namespace {

using testing::SimulatedLink;
using Call = SimulatedD2xx::Call;

const std::string kNotFound =
    "error:Can't open the USB. Please verify that the USB port is correct and your VELD23 "
    "unit is switch on - Device Not Found....";

TEST(LinkTypes, SpeedsAndPortNames) {
    EXPECT_EQ(BaudRateOf(ComPortSpeed::br110), 110u);
    EXPECT_EQ(BaudRateOf(ComPortSpeed::br14400), 14400u);
    EXPECT_EQ(BaudRateOf(ComPortSpeed::br19200), 19200u);
    EXPECT_EQ(BaudRateOf(ComPortSpeed::br56000), 56000u);
    EXPECT_EQ(BaudRateOf(ComPortSpeed::br115200), 115200u);
    EXPECT_STREQ(ComPortLabel(ComPortNumber::pnCOM1), "COM1");
    EXPECT_STREQ(ComPortLabel(ComPortNumber::pnCOM4), "COM4");
    EXPECT_EQ(PortIndexOf(ComPortNumber::pnCOM3), 3);
}

TEST(LinkController, StartsOffline) {
    SimulatedLink s;
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_FALSE(s.link.UsbLinkActive());
}

TEST(LinkController, SelectingCom1OpensThePortAndEnablesTheCommands) {
    SimulatedLink s;
    EXPECT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_EQ(s.link.Kind(), LinkKind::Com1);
    EXPECT_TRUE(s.port.IsOpen());
    EXPECT_EQ(s.port.ComPort(), ComPortNumber::pnCOM1);
    EXPECT_TRUE(s.ui.commandsEnabled);
    EXPECT_FALSE(s.link.UsbLinkActive());
    EXPECT_TRUE(s.ui.Has("main"));
}

TEST(LinkController, SelectingAnotherComPortReopensOnIt) {
    SimulatedLink s;
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM2));
    EXPECT_EQ(s.link.Kind(), LinkKind::Com2);
    EXPECT_EQ(s.port.ComPort(), ComPortNumber::pnCOM2);
    EXPECT_EQ(s.port.OpenCount(), 2);
}

TEST(LinkController, MissingComPortIsReportedAsInUseAndLeavesTheLinkOffline) {
    SimulatedLink s;
    s.port.SetUnavailable(ComPortNumber::pnCOM2, true);
    EXPECT_FALSE(s.link.SelectCom(ComPortNumber::pnCOM2));
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_FALSE(s.port.IsOpen());
    EXPECT_EQ(s.ui.log,
              (std::vector<std::string>{"beep", "error:COM Port already in use. Select another."}));
}

TEST(LinkController, OfflineDisablesTheCommandsButLeavesTheSerialPortOpen) {
    SimulatedLink s;
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    s.link.SelectOffline();
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_FALSE(s.ui.commandsEnabled);
    EXPECT_EQ(s.ui.statusLine, "Status : Offline");
    EXPECT_TRUE(s.port.IsOpen());
}

TEST(LinkController, EnablingTheCommandsWhileOfflineDoesNothing) {
    SimulatedLink s;
    s.link.SetDeviceCommandsEnabled(true);
    EXPECT_FALSE(s.ui.commandsEnabled);
    EXPECT_FALSE(s.ui.Has("commands:on"));
}

TEST(LinkController, EveryWayOfliningTellsTheListener) {
    SimulatedLink s;
    int calls = 0;
    s.link.SetOfflineListener([&] { ++calls; });
    s.link.SelectOffline();
    s.port.SetUnavailable(ComPortNumber::pnCOM1, true);
    s.link.SelectCom(ComPortNumber::pnCOM1);
    s.usb.SetAttached(false);
    s.link.SelectUsb(); // Offline first, then the failed open
    EXPECT_EQ(calls, 4);
}

TEST(LinkController, UsbWithoutConverterReportsDeviceNotFoundAndStaysOffline) {
    SimulatedLink s;
    s.usb.SetAttached(false);
    EXPECT_FALSE(s.link.SelectUsb());
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_FALSE(s.link.UsbLinkActive());
    EXPECT_TRUE(s.ui.Has(kNotFound));
    EXPECT_EQ(s.ui.lit, (std::vector<LinkIndicator>{LinkIndicator::Offline, LinkIndicator::Usb}));
    EXPECT_FALSE(s.ui.commandsEnabled);
}

TEST(LinkController, UsbIsSetUpInOrderAndClosedAgain) {
    SimulatedLink s;
    EXPECT_TRUE(s.link.SelectUsb());
    EXPECT_EQ(s.link.Kind(), LinkKind::Usb);
    EXPECT_TRUE(s.link.UsbLinkActive());
    EXPECT_TRUE(s.ui.commandsEnabled);
    EXPECT_FALSE(s.usb.IsOpen());
    EXPECT_EQ(s.usb.Calls(),
              (std::vector<Call>{Call::Open, Call::SetBaudRate, Call::SetRts, Call::SetDtr,
                                 Call::SetDataCharacteristics, Call::SetFlowControl, Call::SetChars,
                                 Call::SetTimeouts, Call::Close}));
    EXPECT_EQ(s.usb.BaudRate(), 9600u);
    EXPECT_EQ(s.usb.ReadTimeoutMs(), 1000u);
    EXPECT_EQ(s.usb.WriteTimeoutMs(), 1000u);
}

TEST(LinkController, UsbDropsAComLinkEvenWhenItsOpenFails) {
    SimulatedLink s;
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    s.usb.SetAttached(false);
    s.link.SelectUsb();
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_EQ(s.ui.statusLine, "Status : Offline");
}

TEST(LinkController, AFailingUsbSettingStopsTheSetUpOffline) {
    SimulatedLink s;
    s.usb.FailCall(Call::SetDtr, ft::kIoError);
    EXPECT_FALSE(s.link.SelectUsb());
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    EXPECT_FALSE(s.link.UsbLinkActive());
    EXPECT_TRUE(s.ui.Has("error:FT_SetDTR - General IO Error..."));
    EXPECT_FALSE(s.usb.IsOpen());
    EXPECT_EQ(s.usb.Calls().back(), Call::Close);
    EXPECT_EQ(std::count(s.usb.Calls().begin(), s.usb.Calls().end(), Call::SetFlowControl), 0);
}

TEST(LinkController, EachUsbCallReportsWithItsOwnPrefix) {
    const std::vector<std::pair<Call, std::string>> cases = {
        {Call::SetBaudRate, "FT_SetBaudRate - Invalid Baud Rate..."},
        {Call::SetRts, "FT_SetRTS - Invalid Handle..."},
        {Call::SetDataCharacteristics, "FT_SetDataCharacteristics - Invalid Parameter ..."},
        {Call::SetFlowControl, "FT_SetFlowControl - Insufficient Resources..."},
        {Call::SetChars, "FT_SetChars - Device Not Opened..."},
        {Call::SetTimeouts,
         "Comunication ERROR. Please verify that the USB port is correct - Not Supported..."},
        {Call::Close, "FT_Close - Other Error..."},
    };
    const std::vector<FtStatus> statuses = {
        ft::kInvalidBaudRate, ft::kInvalidHandle, ft::kInvalidParameter, ft::kInsufficientResources,
        ft::kDeviceNotOpened, ft::kNotSupported,  ft::kOtherError};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SimulatedLink s;
        s.usb.FailCall(cases[i].first, statuses[i]);
        EXPECT_FALSE(s.link.SelectUsb());
        EXPECT_TRUE(s.ui.Has("error:" + cases[i].second)) << cases[i].second;
        EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
    }
}

TEST(UsbTexts, SuffixForEveryStatus) {
    EXPECT_EQ(texts::UsbStatusSuffix(0), "");
    EXPECT_EQ(texts::UsbStatusSuffix(1), " - Invalid Handle...");
    EXPECT_EQ(texts::UsbStatusSuffix(2), " - Device Not Found....");
    EXPECT_EQ(texts::UsbStatusSuffix(3), " - Device Not Opened...");
    EXPECT_EQ(texts::UsbStatusSuffix(4), " - General IO Error...");
    EXPECT_EQ(texts::UsbStatusSuffix(5), " - Insufficient Resources...");
    EXPECT_EQ(texts::UsbStatusSuffix(6), " - Invalid Parameter ...");
    EXPECT_EQ(texts::UsbStatusSuffix(10), " - Failed To Write Device...");
    EXPECT_EQ(texts::UsbStatusSuffix(19), " - Device List Not Ready...");
    EXPECT_EQ(texts::UsbStatusSuffix(1234), " - Unknown Error (1234)...");
}

TEST(UsbPort, ClosingADeviceThatIsNotOpenIsQuiet) {
    SimulatedLink s;
    EXPECT_EQ(s.link.Usb().UsbClose(), ft::kOk);
    EXPECT_TRUE(s.ui.log.empty());
    EXPECT_TRUE(s.usb.Calls().empty());
}

TEST(UsbPort, ReadAndWriteKeepTheirStatusAndReturnCounts) {
    SimulatedLink s;
    ASSERT_EQ(s.link.Usb().UsbOpen(), ft::kOk);
    s.link.Usb().UsbWriteBuffer()[0] = 0x80;
    EXPECT_EQ(s.link.Usb().UsbWrite(1), 1u);
    EXPECT_EQ(s.link.Usb().LastStatus(), ft::kOk);
    EXPECT_EQ(s.link.Usb().UsbRead(1), 1u);
    EXPECT_EQ(s.link.Usb().UsbReadBuffer()[0], 0x80);
    // Nothing more is coming: the read ends with no byte and no error.
    EXPECT_EQ(s.link.Usb().UsbRead(1), 0u);
    EXPECT_EQ(s.link.Usb().LastStatus(), ft::kOk);
    s.usb.FailCall(Call::Write, ft::kIoError);
    EXPECT_EQ(s.link.Usb().UsbWrite(1), 0u);
    EXPECT_EQ(s.link.Usb().LastStatus(), ft::kIoError);
    EXPECT_TRUE(s.ui.Has("error:USB Write Failed - General IO Error..."));
}

} // namespace
} // namespace veld23::link
