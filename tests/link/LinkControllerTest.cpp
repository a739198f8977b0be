#include "link/LinkTexts.h"
#include "support/SimulatedLink.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veld23::link {
namespace {

using testing::SimulatedLink;
using Call = SimulatedD2xx::Call;

// What a test checks of the link after a selection: the link chosen, its condition, and
// which device is open.
auto State(const SimulatedLink& s) {
    return std::tuple(s.link.Kind(), s.link.Condition(), s.link.UsbLinkActive(), s.port.IsOpen(),
                      s.usb.IsOpen());
}

const auto kOffline = std::tuple(LinkKind::Offline, LinkCondition::Offline, false, false, false);

TEST(LinkController, SelectingCom1OpensThePortForItsCheck) {
    SimulatedLink s;
    EXPECT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_EQ(State(s), std::tuple(LinkKind::Com1, LinkCondition::Checking, false, true, false));
    EXPECT_EQ(s.port.ComPort(), ComPortNumber::pnCOM1);
    EXPECT_FALSE(s.link.CommandsUsable()); // until the processor has answered
    // Another port reopens on it.
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM2));
    EXPECT_EQ(s.port.ComPort(), ComPortNumber::pnCOM2);
    EXPECT_EQ(s.port.OpenCount(), 2);
}

TEST(LinkController, APortThatWillNotOpenSaysWhyAndLeavesTheLinkOffline) {
    using Kind = PortOpenError::Kind;
    const std::vector<std::pair<PortOpenError, std::string>> cases = {
        {{Kind::InUse, "Device or resource busy"}, "COM Port already in use. Select another."},
        {{Kind::PermissionDenied, "Permission denied"},
         "COM 2 (/dev/ttyUSB1) could not be opened: Permission denied. Add your user to the "
         "dialout group."},
        {{Kind::NotFound, "No such file or directory"},
         "COM 2 (/dev/ttyUSB1) could not be opened: No such file or directory. Check that the "
         "adapter is plugged in and choose the port it gives."},
        {{Kind::NotSerial, "Not a serial port"},
         "COM 2 (/dev/ttyUSB1) could not be opened: Not a serial port. Choose the serial port "
         "the processor is connected to."},
    };
    for (const auto& [error, message] : cases) {
        SimulatedLink s;
        s.port.SetPortPath(ComPortNumber::pnCOM2, "/dev/ttyUSB1");
        s.port.SetOpenFailure(ComPortNumber::pnCOM2, error);
        EXPECT_FALSE(s.link.SelectCom(ComPortNumber::pnCOM2));
        EXPECT_EQ(State(s), kOffline);
        EXPECT_EQ(s.ui.log, (std::vector<std::string>{"beep", "error:" + message}));
    }
    // The command-line tool was given a path, not a COM number.
    SimulatedLink s;
    s.link.NamePortsByPath(true);
    s.port.SetPortPath(ComPortNumber::pnCOM1, "/dev/ttyACM0");
    s.port.SetOpenFailure(ComPortNumber::pnCOM1, {Kind::Other, "Input/output error"});
    EXPECT_FALSE(s.link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_TRUE(s.ui.Has("error:/dev/ttyACM0 could not be opened: Input/output error."));
}

TEST(LinkController, OfflineLeavesTheSerialPortOpenAndAnswersChangeNothingThere) {
    SimulatedLink s;
    ASSERT_TRUE(s.link.SelectCom(ComPortNumber::pnCOM1));
    s.link.NoteAnswer(false);
    EXPECT_EQ(State(s),
              std::tuple(LinkKind::Com1, LinkCondition::AnsweredWrongly, false, true, false));
    s.link.SelectOffline();
    s.link.NoteAnswer(true);
    EXPECT_EQ(State(s), std::tuple(LinkKind::Offline, LinkCondition::Offline, false, true, false));
    EXPECT_FALSE(s.link.CommandsUsable());
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

TEST(LinkController, UsbIsSetUpInOrderAndClosedAgain) {
    SimulatedLink s;
    EXPECT_TRUE(s.link.SelectUsb());
    EXPECT_EQ(State(s), std::tuple(LinkKind::Usb, LinkCondition::Checking, true, false, false));
    EXPECT_EQ(s.usb.Calls(),
              (std::vector<Call>{Call::Open, Call::SetBaudRate, Call::SetRts, Call::SetDtr,
                                 Call::SetDataCharacteristics, Call::SetFlowControl, Call::SetChars,
                                 Call::SetTimeouts, Call::Close}));
    EXPECT_EQ(std::tuple(s.usb.BaudRate(), s.usb.ReadTimeoutMs(), s.usb.WriteTimeoutMs()),
              std::tuple(9600u, 1000u, 1000u));
}

// No converter, or one that fails a step of the set-up.
TEST(LinkController, AFailingUsbCallStopsTheSetUpOfflineWithItsPrefix) {
    const std::vector<std::tuple<Call, FtStatus, std::string>> cases = {
        {Call::Open, ft::kDeviceNotFound,
         "Can't open the USB. Please verify that the USB port is correct and your VELD23 unit "
         "is switch on - Device Not Found...."},
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
        EXPECT_EQ(State(s), kOffline);
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
