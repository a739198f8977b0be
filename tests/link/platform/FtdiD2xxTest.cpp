#include "link/usb/FtdiD2xx.h"

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

} // namespace
} // namespace veld23::link
