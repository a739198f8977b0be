#include "config/Ext80.h"
#include "config/LittleEndianRecord.h"
#include "config/Windows1252.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using namespace veld23;

TEST(Ext80, KnownBitPatternsBothWays) {
    // 1.0: integer bit set, exponent exactly the bias 0x3FFF.
    const struct {
        long double value;
        Ext80Bytes bytes;
    } cases[] = {{1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
                 {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
                 {0.75L, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFE, 0x3F}},
                 {-0.75L, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFE, 0xBF}},
                 {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
    for (const auto& k : cases) {
        EXPECT_EQ(EncodeExt80(k.value), k.bytes);
        EXPECT_EQ(DecodeExt80(k.bytes), k.value);
    }
}

TEST(Ext80, RoundTripsCoefficientsExactly) {
    const long double values[] = {
        1.99999999999L, -1.8614084445321082L, 0.1234569549560546875L, 1e-30L, -3.5e300L, 0.707L};
    for (long double v : values) {
        EXPECT_EQ(DecodeExt80(EncodeExt80(v)), v);
    }
    const long double tiny = std::numeric_limits<long double>::denorm_min() * 12345;
    EXPECT_EQ(DecodeExt80(EncodeExt80(tiny)), tiny);
}

TEST(Ext80, SpecialPatternsDecodeWithoutTrapping) {
    EXPECT_TRUE(std::isinf(DecodeExt80(Ext80Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}))));
    EXPECT_TRUE(std::isnan(DecodeExt80(Ext80Bytes({1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF}))));
    EXPECT_TRUE(std::isnan(DecodeExt80(EncodeExt80(std::nanl("")))));
    // An "unnormal" (integer bit clear) still reads as its value.
    EXPECT_EQ(DecodeExt80(Ext80Bytes({0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F})), 0.5L);
}

TEST(Windows1252, DecodesEveryByteAndRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(Windows1252ToUtf8("\xBA"), "\xC2\xBA");     // the degree-like ordinal
}

TEST(Windows1252, RefusesWhatItCannotHold) {
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC 5"), std::string("\x80 5"));
    EXPECT_FALSE(Utf8ToWindows1252("\xE2\x86\x92")); // arrow: no such byte
    EXPECT_FALSE(Utf8ToWindows1252("\xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(Utf8ToWindows1252("\xC3"));         // cut sequence
    EXPECT_FALSE(Utf8ToWindows1252("\xC0\xAF"));     // overlong
    EXPECT_FALSE(Utf8ToWindows1252("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(Utf8ToWindows1252("\xC2\x80"));     // U+0080 has no byte
    EXPECT_EQ(Utf8ToWindows1252Replacing("a\xE2\x86\x92"
                                         "b\xC3"),
              "a?b?");
    EXPECT_EQ(Utf8ToWindows1252Replacing("Caf\xC3\xA9"), "Caf\xE9");
}

TEST(LittleEndianRecord, FieldsAtOffsetsLowByteFirst) {
    std::array<std::uint8_t, 30> raw{};
    LittleEndianRecord r(raw);
    r.PutInt32(0, 48000);
    r.PutFloat32(4, 1.0f);
    r.PutDouble(8, -0.5);
    r.PutInt32(26, -1);
    r.PutExt80(16, 1.0L); // after its neighbour, which it must leave alone
    // clang-format off
    const std::array<std::uint8_t, 30> expected = {
        0x80, 0xBB, 0, 0,                     // 48000
        0, 0, 0x80, 0x3F,                     // 1.0f
        0, 0, 0, 0, 0, 0, 0xE0, 0xBF,         // -0.5
        0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, // 1.0L
        0xFF, 0xFF, 0xFF, 0xFF};              // -1
    // clang-format on
    EXPECT_EQ(raw, expected);
    EXPECT_EQ(r.Int32(0), 48000);
    EXPECT_EQ(r.Float32(4), 1.0f);
    EXPECT_EQ(r.Double(8), -0.5);
    EXPECT_EQ(r.Ext80(16), 1.0L);
    EXPECT_EQ(r.Int32(26), -1);
}

TEST(LittleEndianRecord, StringsAreLengthPrefixedCutAndBounded) {
    std::array<std::uint8_t, 16> raw{};
    raw.fill(0xEE);
    LittleEndianRecord r(raw);
    r.PutString(0, 6, "Subwoofer");
    EXPECT_EQ(raw[0], 6);
    EXPECT_EQ(r.String(0, 6), "Subwoo");
    EXPECT_EQ(raw[7], 0xEE); // the next field is untouched
    r.PutString(8, 6, "In1");
    EXPECT_EQ(raw[9 + 3], 0); // unused capacity is written as zero
    EXPECT_EQ(r.String(8, 6), "In1");
    raw[8] = 200; // damaged length byte
    EXPECT_EQ(r.String(8, 6).size(), 6u);
}

TEST(LittleEndianRecord, AccessOutsideTheRecordIsHarmless) {
    std::array<std::uint8_t, 4> raw{};
    LittleEndianRecord r(raw);
    r.PutDouble(2, 1e300); // only the bytes inside are written
    EXPECT_EQ(r.Int32(100), 0);
    EXPECT_EQ(raw[1], 0);
    raw[3] = 50; // a length that runs past the end reads zeros there
    EXPECT_EQ(r.String(3, 100), std::string(50, '\0'));
}
