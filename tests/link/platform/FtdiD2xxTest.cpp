#include "link/usb/FtdiD2xx.h"
#include "link/LinkController.h"
#include "link/ProcessorSimulator.h"
#include "link/SimulatedCommPort.h"
#include "support/RecordingLinkUi.h"

#include <gtest/gtest.h>

namespace veld23::link {
namespace {

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

TEST(FtdiD2xx, SelectingUsbWithoutAConverterEndsOffline) {
    ProcessorSimulator processor;
    SimulatedCommPort comm(processor);
    FtdiD2xx converter;
    testing::RecordingLinkUi ui;
    LinkController link(comm, converter, ui);
    ASSERT_TRUE(link.SelectCom(ComPortNumber::pnCOM1));
    EXPECT_FALSE(link.SelectUsb());
    EXPECT_EQ(link.Kind(), LinkKind::Offline);
    EXPECT_FALSE(link.UsbLinkActive());
    EXPECT_TRUE(ui.Has("error:Can't open the USB. Please verify that the USB port is correct and "
                       "your VELD23 unit is switch on - Device Not Found...."));
}

} // namespace
} // namespace veld23::link
