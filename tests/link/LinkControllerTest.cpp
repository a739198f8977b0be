#include "link/LinkTexts.h"
#include "support/SimulatedLink.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veld23::link {
namespace {

using testing::SimulatedLink;
using Call = SimulatedD2xx::Call;

const std::string kNotFound =
    "error:Can't open the USB. Please verify that the USB port is correct and your VELD23 "
    "unit is switch on - Device Not Found....";

TEST(LinkController, SelectingCom1OpensThePortAndEnablesTheCommands) {
    SimulatedLink s;
    EXPECT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_EQ(s.link.Kind(), LinkKind::Com1);
    EXPECT_TRUE(s.port.IsOpen());
    EXPECT_EQ(s.port.ComPort(), ComPortNumber::pnCOM1);
    EXPECT_TRUE(s.ui.commandsEnabled);
    EXPECT_FALSE(s.link.UsbLinkActive());
    // Another port reopens on it.
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM2));
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
    // Enabling the commands while Offline does nothing.
    s.link.SetDeviceCommandsEnabled(true);
    EXPECT_FALSE(s.ui.commandsEnabled);
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

TEST(LinkController, AFailingUsbCallStopsTheSetUpOfflineWithItsPrefix) {
    const std::vector<std::tuple<Call, FtStatus, std::string>> cases = {
        {Call::SetBaudRate, ft::kInvalidBaudRate, "FT_SetBaudRate - Invalid Baud Rate..."},
        {Call::SetRts, ft::kInvalidHandle, "FT_SetRTS - Invalid Handle..."},
        {Call::SetDtr, ft::kIoError, "FT_SetDTR - General IO Error..."},
        {Call::SetDataCharacteristics, ft::kInvalidParameter,
         "FT_SetDataCharacteristics - Invalid Parameter ..."},
        {Call::SetFlowControl, ft::kInsufficientResources,
         "FT_SetFlowControl - Insufficient Resources..."},
        {Call::SetChars, ft::kDeviceNotOpened, "FT_SetChars - Device Not Opened..."},
        {Call::SetTimeouts, ft::kNotSupported,
         "Comunication ERROR. Please verify that the USB port is correct - Not Supported..."},
        {Call::Close, ft::kOtherError, "FT_Close - Other Error..."},
    };
    for (const auto& [call, status, text] : cases) {
        SimulatedLink s;
        s.usb.FailCall(call, status);
        EXPECT_FALSE(s.link.SelectUsb());
        EXPECT_TRUE(s.ui.Has("error:" + text)) << text;
        EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
        EXPECT_FALSE(s.link.UsbLinkActive());
        EXPECT_FALSE(s.usb.IsOpen());
    }
}

TEST(UsbTexts, SuffixesNotSeenInTheSetUp) {
    EXPECT_EQ(texts::UsbStatusSuffix(0), "");
    EXPECT_EQ(texts::UsbStatusSuffix(10), " - Failed To Write Device...");
    EXPECT_EQ(texts::UsbStatusSuffix(19), " - Device List Not Ready...");
    EXPECT_EQ(texts::UsbStatusSuffix(1234), " - Unknown Error (1234)...");
}

TEST(UsbPort, ReadAndWriteKeepTheirStatusAndReturnCounts) {
    SimulatedLink s;
    ASSERT_EQ(s.link.Usb().UsbOpen(), ft::kOk);
    s.link.Usb().UsbWriteBuffer()[0] = 0x80;
    EXPECT_EQ(s.link.Usb().UsbWrite(1), 1u);
    EXPECT_EQ(s.link.Usb().UsbRead(1), 1u);
    EXPECT_EQ(s.link.Usb().UsbReadBuffer()[0], 0x80);
    // Nothing more is coming: the read ends with no byte and no error.
    EXPECT_EQ(s.link.Usb().UsbRead(1), 0u);
    s.usb.FailCall(Call::Write, ft::kIoError);
    EXPECT_EQ(s.link.Usb().UsbWrite(1), 0u);
    EXPECT_EQ(s.link.Usb().LastStatus(), ft::kIoError);
    EXPECT_TRUE(s.ui.Has("error:USB Write Failed - General IO Error..."));
}

} // namespace
} // namespace veld23::link
