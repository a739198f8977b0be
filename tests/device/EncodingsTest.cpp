#include "device/Encodings.h"

#include <gtest/gtest.h>

using namespace veld23;

namespace {
Coef22Bytes B(int a, int b, int c) {
    return {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
            static_cast<std::uint8_t>(c)};
}
constexpr long double kStep = 1.0L / 1048576.0L;
} // namespace

TEST(Coef22, EncodesTheWordTruncatingTowardZero) {
    EXPECT_EQ(EncodeCoef22(1.0L), B(0x10, 0x00, 0x00));
    EXPECT_EQ(EncodeCoef22(0.5L), B(0x08, 0x00, 0x00));
    EXPECT_EQ(EncodeCoef22(-1.0L), B(0x30, 0x00, 0x00));
    EXPECT_EQ(EncodeCoef22(-kStep), B(0x3F, 0xFF, 0xFF));
    EXPECT_EQ(EncodeCoef22(0.0L), B(0x00, 0x00, 0x00));
    EXPECT_EQ(EncodeCoef22(2.0L - kStep), B(0x1F, 0xFF, 0xFF));
    EXPECT_EQ(EncodeCoef22(-2.0L), B(0x20, 0x00, 0x00));
    EXPECT_EQ(EncodeCoef22(0.99999999L), B(0x0F, 0xFF, 0xFF));
    EXPECT_EQ(EncodeCoef22(-0.0000001L), B(0x00, 0x00, 0x00));
    // -0.5000004 x 2^20 = -524288.42 -> -524288 = exactly -0.5
    EXPECT_EQ(EncodeCoef22(-0.5000004L), B(0x38, 0x00, 0x00));
}

TEST(Coef22, DecodesBackTheTruncatedValue) {
    EXPECT_EQ(Coef22DeviceValue(0.99999999L), 1048575.0 / 1048576.0);
    EXPECT_EQ(Coef22DeviceValue(-0.5000004L), -0.5);
    for (long double v : {1.0L, -1.0L, 2.0L - kStep, -2.0L, 0.0L, -kStep, 0.501187L}) {
        EXPECT_EQ(DecodeCoef22(EncodeCoef22(v)), Coef22DeviceValue(v)) << static_cast<double>(v);
    }
    // Bits above the word are ignored on reading.
    EXPECT_EQ(DecodeCoef22(0xD0, 0x00, 0x00), 1.0);
}

TEST(Coef22, HugeValuesDoNotOverflowTheRegister) {
    // Held at the largest 32-bit integer before the word is cut from it: 22 bits set.
    EXPECT_EQ(EncodeCoef22(1e30L), B(0x3F, 0xFF, 0xFF));
    EXPECT_EQ(EncodeCoef22(std::numeric_limits<long double>::quiet_NaN()), B(0, 0, 0));
}

TEST(Word16in24, HighByteFirstAfterAZero) {
    EXPECT_EQ(EncodeWord16in24(48), B(0x00, 0x00, 0x30));
    EXPECT_EQ(EncodeWord16in24(0xB7C4), B(0x00, 0xB7, 0xC4));
    EXPECT_EQ(EncodeWord16in24(0x12345), B(0x00, 0x23, 0x45)); // upper bits are lost
    EXPECT_EQ(DecodeWord16in24(B(0, 0xB7, 0xC4)), 0xB7C4);
}

TEST(PanelCodes, HalvesGoToEvenAndLowBitsAreKept) {
    EXPECT_EQ(PanelCode(2.5L), 2);
    EXPECT_EQ(PanelCode(3.5L), 4);
    EXPECT_EQ(PanelCode(-0.5L), 0);
    EXPECT_EQ(PanelCode(2.51L), 3);
    EXPECT_EQ(PanelByte(-1.0L), 255);
    EXPECT_EQ(PanelByte(300.0L), 44);
    EXPECT_EQ(PanelWord(0x1234), (std::array<std::uint8_t, 2>{0x12, 0x34}));
    EXPECT_EQ(PanelWord(-1.0L), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
    EXPECT_EQ(DecodePanelWord(0x12, 0x34), 0x1234);
}

TEST(Booleans, StrictWritesAndLenientReads) {
    EXPECT_EQ(StrictBoolean(1), 1);
    EXPECT_EQ(StrictBoolean(2), 0);
    EXPECT_FALSE(LenientBoolean(0));
    EXPECT_TRUE(LenientBoolean(2));
}
