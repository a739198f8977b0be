#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/ConfigurationSamples.h"
#include "config/LittleEndianRecord.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingLoadedSteps.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The record a save writes, byte by byte.

namespace veld23 {
namespace {

using testing::FillDistinctValues;
using testing::RecordingFileMessages;
using testing::RecordingLoadedSteps;
using testing::RecordingRealTimeSender;

constexpr const char* kPath = "/shows/club.v23";

ConfigurationRecord RecordOf(const ProcessorConfiguration& c) {
    return BuildConfigurationRecord(c, kPath);
}

TEST(ConfigurationRecord, RecordHoldsEveryFieldAtItsOffset) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    ConfigurationRecord bytes = RecordOf(c);
    const LittleEndianRecord r(bytes);

    EXPECT_EQ(r.String(0, 7), "VELD13F");
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(r.String(10, 4), "1.2.");
    EXPECT_EQ(r.String(15, 100), std::string("Tessaline Sound Works VELD231.2.8.0") + kPath);
    EXPECT_EQ(r.String(116, 40), "Stage Left");
    EXPECT_EQ(r.String(157, 30), "Tour");
    EXPECT_EQ(r.String(188, 30), "Ana \xE9");
    EXPECT_EQ(r.String(219, 200), "line 1\r\nline 2");
    EXPECT_EQ((std::vector<int>{bytes[420], bytes[421], bytes[422], bytes[423]}),
              (std::vector<int>{0x80, 0xBB, 0x00, 0x00}));
    EXPECT_EQ(r.Int32(424), 31);
    EXPECT_EQ(r.String(428, 6), "Kick");
    EXPECT_EQ(r.String(435, 6), "Vox");
    EXPECT_EQ(r.String(442, 6), "L");
    EXPECT_EQ(r.String(449, 6), "R");
    EXPECT_EQ(r.String(456, 6), "Subs");
    EXPECT_EQ(r.Int32(464), 10);
    EXPECT_EQ(r.Int32(468), 20);
    EXPECT_EQ(r.Int32(472), 30);
    EXPECT_EQ(r.Int32(476), 5);
    EXPECT_EQ(r.Int32(480), 3);

    const std::size_t band3 = 484 + 28 * 2;
    EXPECT_EQ(r.Double(band3), -3.5);
    EXPECT_EQ(r.Double(band3 + 8), 250.0);
    EXPECT_EQ(r.Double(band3 + 16), 2.5);
    EXPECT_EQ(r.Byte(band3 + 24), kParametricQAdap);
    EXPECT_EQ(r.Byte(680 + 28 * 6 + 24), kIirCoeff);
    const std::size_t coefficients3 = 1528 + 50 * 2;
    EXPECT_EQ(r.Ext80(coefficients3), 1.25L);
    EXPECT_EQ(r.Ext80(coefficients3 + 10), -1.5L);
    EXPECT_EQ(r.Ext80(coefficients3 + 20), 0.5L);
    EXPECT_EQ(r.Ext80(coefficients3 + 30), 1.75L);
    EXPECT_EQ(r.Ext80(coefficients3 + 40), -0.625L);
    EXPECT_EQ(r.Ext80(1878 + 50 * 6), 1048575.0L / 1048576.0L);
    EXPECT_EQ(r.Ext80(1878 + 50 * 6 + 40), 0.0L);

    EXPECT_EQ(r.Double(876), c.Levels[0].OutputGain);
    EXPECT_LT(r.Double(884), -1.0); // inverted
    EXPECT_EQ(r.Double(892), 1.0);
    EXPECT_EQ((std::vector<int>{bytes[900], bytes[901], bytes[902]}), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ((std::vector<int>{bytes[903], bytes[904], bytes[905]}), (std::vector<int>{0, 0, 1}));

    const std::size_t crossover2 = 908 + 28;
    EXPECT_EQ(r.Float32(crossover2), 120.0f);
    EXPECT_EQ(r.Float32(crossover2 + 4), 2500.0f);
    EXPECT_EQ(r.Int32(crossover2 + 8), 2);  // low-pass order
    EXPECT_EQ(r.Int32(crossover2 + 12), 4); // high-pass order
    EXPECT_EQ(r.Byte(crossover2 + 24), kLinkwitzRileyLowPass);
    EXPECT_EQ(r.Byte(crossover2 + 25), kButterworthHighPass);
    EXPECT_EQ((std::vector<int>{bytes[992], bytes[993], bytes[994]}), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ((std::vector<int>{bytes[995], bytes[996], bytes[997]}), (std::vector<int>{1, 0, 0}));

    EXPECT_EQ(r.Double(1000), 4.5);
    EXPECT_EQ(r.Byte(1016), kHiPassQ);
    EXPECT_EQ(r.Int32(1148), 43);

    const std::size_t d2 = 1020 + 64;
    EXPECT_EQ(r.Float32(d2), -20.0f);
    EXPECT_EQ(r.Float32(d2 + 4), 4.0f);
    EXPECT_EQ(r.Float32(d2 + 8), 1.5f);
    EXPECT_EQ(r.Float32(d2 + 12), 0.001f);
    EXPECT_EQ(r.Int32(d2 + 16), 480);
    EXPECT_EQ(r.Int32(d2 + 20), 100);
    EXPECT_EQ(r.Int32(d2 + 24), 48);
    EXPECT_EQ(r.Byte(d2 + 28), 1);
    EXPECT_EQ(r.Byte(d2 + 29), 1);
    EXPECT_EQ(r.Float32(d2 + 32), 2.5f);
    EXPECT_EQ(r.Byte(d2 + 36), 0);
    EXPECT_EQ(r.Byte(d2 + 37), 0);
    EXPECT_EQ(r.Byte(d2 + 38), 1);
    EXPECT_EQ(r.Float32(d2 + 40), 10.0f);
    EXPECT_EQ(r.Float32(d2 + 44), 30.0f);
    EXPECT_EQ(r.Float32(d2 + 48), 4.0f);
    EXPECT_EQ(r.Float32(d2 + 52), 300.0f);
    EXPECT_EQ(r.Float32(d2 + 56), 500.0f);
    EXPECT_EQ(r.Int32(d2 + 60), 2);
    EXPECT_EQ(r.Int32(1020 + 24), 24); // record 1's look-ahead
    EXPECT_EQ(r.Int32(1512), 1);       // gate index, records 1 and 2
    EXPECT_EQ(r.Int32(1516), 12);
    EXPECT_EQ(r.Int32(1520), 4); // ramp lengths
    EXPECT_EQ(r.Int32(1524), 6);

    EXPECT_EQ(r.Int32(1156), 10); // route state 1: RouteC 1.0, RouteD 0.0 in tenths
    EXPECT_EQ(r.Int32(1164), 0);
    EXPECT_EQ(r.Int32(1172), 1);
    EXPECT_EQ((std::vector<int>{bytes[1180], bytes[1181], bytes[1182], bytes[1183], bytes[1184]}),
              (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(r.String(1185, 100), "/m/a.txt");
    EXPECT_EQ(r.String(1286, 100), "");
    EXPECT_EQ(r.String(1387, 100), "C:\\b.frd");
    EXPECT_EQ(r.Int32(1488), 7);
    EXPECT_EQ(r.Float32(1492), 85.5f);
    EXPECT_EQ(r.Byte(1496), 0); // three outputs
    EXPECT_EQ(r.Int32(1500), 5);
    EXPECT_EQ(r.Int32(1504), 6);
    EXPECT_EQ(r.Int32(1508), 7);

    // Reserved bytes, and the unused tail of every text, are 0.
    const std::vector<std::pair<std::size_t, std::size_t>> reserved = {
        {8, 2},    {116 + 11, 30}, {463, 1},  {906, 2},     {crossover2 + 16, 8},
        {998, 2},  {1008, 8},      {1017, 3}, {d2 + 30, 2}, {d2 + 39, 1},
        {1152, 4}, {1160, 4},      {1168, 4}, {1176, 4},    {1497, 3}};
    for (const auto& [offset, length] : reserved) {
        for (std::size_t i = offset; i < offset + length; ++i) {
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
        }
    }
    for (int o = 0; o < 3; ++o) {
        EXPECT_EQ(bytes[908 + 28 * o + 26], 0);
        EXPECT_EQ(bytes[908 + 28 * o + 27], 0);
    }
}

TEST(ConfigurationRecord, StoredIntegersRoundHalvesToEven) {
    ProcessorConfiguration c;
    c.Loudness[0].Frequency = 42.5;
    c.Dynamics[0].GateIndex = 12.5f;
    c.Dynamics[1].Pendiente = 5.5f;
    c.Routing.RouteC = 0.25;
    c.Routing.RouteD = 0.75;
    ConfigurationRecord bytes = RecordOf(c);
    const LittleEndianRecord r(bytes);
    EXPECT_EQ(r.Int32(1148), 42);
    EXPECT_EQ(r.Int32(1512), 12);
    EXPECT_EQ(r.Int32(1524), 6);
    EXPECT_EQ(r.Int32(1156), 2);
    EXPECT_EQ(r.Int32(1164), 8);
}

TEST(ConfigurationRecord, HeaderTextIsCutAtHundredCharactersAndIgnoredOnOpen) {
    ProcessorConfiguration c;
    const std::string longPath = "/" + std::string(150, 'x') + "/show.v23";
    ConfigurationRecord bytes = BuildConfigurationRecord(c, longPath);
    const LittleEndianRecord r(bytes);
    const std::string header = r.String(15, 100);
    EXPECT_EQ(bytes[15], 100);
    EXPECT_EQ(header, ("Tessaline Sound Works VELD231.2.8.0" + longPath).substr(0, 100));
    EXPECT_EQ(bytes[116], 6); // the next field starts right after the cut text

    // A damaged header with an impossible length byte changes nothing.
    ConfigurationRecord damaged = bytes;
    damaged[15] = 0xFF;
    RecordingRealTimeSender sender;
    sender.mode = false;
    RecordingLoadedSteps steps;
    RecordingFileMessages messages;
    ProcessorConfiguration a;
    ProcessorConfiguration b;
    EXPECT_EQ(OpenConfigurationBytes(a, bytes, longPath, sender, steps, messages),
              ConfigurationOpenResult::Opened);
    EXPECT_EQ(OpenConfigurationBytes(b, damaged, longPath, sender, steps, messages),
              ConfigurationOpenResult::Opened);
    EXPECT_EQ(ConfigurationToJson(a), ConfigurationToJson(b));
}

} // namespace
} // namespace veld23
