#include "config/ConfigurationFile.h"
#include "config/ConfigurationInvariants.h"
#include "config/ConfigurationSamples.h"
#include "config/LittleEndianRecord.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingSteps.h"
#include "dsp/Coef22Range.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

// The record byte by byte: what a save writes, and what opening makes of damaged fields.

namespace veld23 {
namespace {

using testing::ExpectWithinEditorRanges;
using testing::FileOpening;
using testing::FillDistinctValues;
using testing::kShowPath;

enum class Kind { Byte, Int32, Float32, Double, Ext80 };

constexpr auto B = Kind::Byte, I = Kind::Int32, F = Kind::Float32, D = Kind::Double,
               X = Kind::Ext80;

struct Field {
    std::size_t at;
    Kind kind;
    long double value;
};

long double Read(const LittleEndianRecord& r, const Field& f) {
    using L = long double;
    const L as[] = {L(r.Byte(f.at)), L(r.Int32(f.at)), r.Float32(f.at), r.Double(f.at),
                    r.Ext80(f.at)}; // in the order of Kind
    return as[static_cast<int>(f.kind)];
}

void Write(LittleEndianRecord& r, const Field& f) {
    switch (f.kind) {
    case Kind::Byte:
        return r.PutByte(f.at, static_cast<std::uint8_t>(f.value));
    case Kind::Int32:
        return r.PutInt32(f.at, static_cast<std::int32_t>(f.value));
    case Kind::Float32:
        return r.PutFloat32(f.at, static_cast<float>(f.value));
    case Kind::Double:
        return r.PutDouble(f.at, static_cast<double>(f.value));
    case Kind::Ext80:
        return r.PutExt80(f.at, f.value);
    }
}

TEST(ConfigurationRecord, RecordHoldsEveryFieldAtItsOffset) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    ConfigurationRecord bytes = BuildConfigurationRecord(c, kShowPath);
    const LittleEndianRecord r(bytes);

    // clang-format off
    const struct {
        std::size_t at;
        std::size_t capacity;
        std::string text;
    } texts[] = {
        {0, 7, "VELD13F"}, {10, 4, "1.2."},
        {15, 100, std::string("Tessaline Sound Works VELD231.2.8.0") + kShowPath},
        {116, 40, "Stage Left"}, {157, 30, "Tour"}, {188, 30, "Ana \xE9"},
        {219, 200, "line 1\r\nline 2"},
        {428, 6, "Kick"}, {435, 6, "Vox"}, {442, 6, "L"}, {449, 6, "R"}, {456, 6, "Subs"},
        {1185, 100, "/m/a.txt"}, {1286, 100, ""}, {1387, 100, "C:\\b.frd"}};
    // clang-format on
    for (const auto& t : texts) {
        EXPECT_EQ(r.String(t.at, t.capacity), t.text) << "text at " << t.at;
    }

    const std::size_t band3 = 484 + 28 * 2; // IN 1 band 3
    const std::size_t coefficients3 = 1528 + 50 * 2;
    const std::size_t crossover2 = 908 + 28;
    const std::size_t d2 = 1020 + 64; // dynamics record 2
    // clang-format off
    const Field fields[] = {
        // Sample rate, temperature, delay words, the equalisers' used bands, alignment delays.
        {420, I, 48000}, {424, I, 31}, {464, I, 10}, {468, I, 20}, {472, I, 30},
        {476, I, 5}, {480, I, 3}, {1500, I, 5}, {1504, I, 6}, {1508, I, 7},
        // IN 1 band 3 and its coefficients, IN 2's typed band 7.
        {band3, D, -3.5}, {band3 + 8, D, 250.0}, {band3 + 16, D, 2.5},
        {band3 + 24, B, kParametricQAdap}, {680 + 28 * 6 + 24, B, kIirCoeff},
        {coefficients3, X, 1.25L}, {coefficients3 + 10, X, -1.5L}, {coefficients3 + 20, X, 0.5L},
        {coefficients3 + 30, X, 1.75L}, {coefficients3 + 40, X, -0.625L},
        {1878 + 50 * 6, X, 1048575.0L / 1048576.0L}, {1878 + 50 * 6 + 40, X, 0.0L},
        // OUT 3's gain (OUT 1's and OUT 2's below), the inverted and muted switches.
        {892, D, 1.0}, {900, B, 0}, {901, B, 1}, {902, B, 0}, {903, B, 0}, {904, B, 0}, {905, B, 1},
        // OUT 2's crossover, the solos, loudness section 1.
        {crossover2, F, 120.0f}, {crossover2 + 4, F, 2500.0f}, {crossover2 + 8, I, 2},
        {crossover2 + 12, I, 4}, {crossover2 + 24, B, kLinkwitzRileyLowPass},
        {crossover2 + 25, B, kButterworthHighPass},
        {992, B, 0}, {993, B, 0}, {994, B, 1}, {995, B, 1}, {996, B, 0}, {997, B, 0},
        {1000, D, 4.5}, {1016, B, kHiPassQ}, {1148, I, 43},
        // Dynamics record 2, record 1's look-ahead, gate indexes and ramp lengths.
        {d2, F, -20.0f}, {d2 + 4, F, 4.0f}, {d2 + 8, F, 1.5f}, {d2 + 12, F, 0.001f},
        {d2 + 16, I, 480}, {d2 + 20, I, 100}, {d2 + 24, I, 48}, {d2 + 28, B, 1}, {d2 + 29, B, 1},
        {d2 + 32, F, 2.5f}, {d2 + 36, B, 0}, {d2 + 37, B, 0}, {d2 + 38, B, 1}, {d2 + 40, F, 10.0f},
        {d2 + 44, F, 30.0f}, {d2 + 48, F, 4.0f}, {d2 + 52, F, 300.0f}, {d2 + 56, F, 500.0f},
        {d2 + 60, I, 2}, {1020 + 24, I, 24},
        {1512, I, 1}, {1516, I, 12}, {1520, I, 4}, {1524, I, 6},
        // Routing (state 1: RouteC 1.0 and RouteD 0.0 in tenths), final response
        // selections, measurement import layout and level, topology (0: three outputs).
        {1156, I, 10}, {1164, I, 0}, {1172, I, 1},
        {1180, B, 1}, {1181, B, 0}, {1182, B, 1}, {1183, B, 0}, {1184, B, 1},
        {1488, I, 7}, {1492, F, 85.5f}, {1496, B, 0}};
    // clang-format on
    for (const Field& f : fields) {
        EXPECT_EQ(Read(r, f), f.value) << "offset " << f.at;
    }
    EXPECT_NEAR(r.Double(876), 0.5011872, 1e-7);
    EXPECT_NEAR(r.Double(884), -1.2735031, 1e-7);

    // Reserved bytes, and the unused tail of every text, are 0.
    const std::vector<std::pair<std::size_t, std::size_t>> reserved = {
        {8, 2},    {116 + 11, 30}, {463, 1},  {906, 2},     {crossover2 + 16, 8},
        {998, 2},  {1008, 8},      {1017, 3}, {d2 + 30, 2}, {d2 + 39, 1},
        {1152, 4}, {1160, 4},      {1168, 4}, {1176, 4},    {1497, 3},
        {934, 2},  {962, 2},       {990, 2}};
    for (const auto& [offset, length] : reserved) {
        for (std::size_t i = offset; i < offset + length; ++i) {
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
        }
    }
}

TEST(ConfigurationRecord, IntegersRoundHalvesToEvenAndTheHeaderIsCutAtItsCapacity) {
    ProcessorConfiguration c;
    c.Loudness[0].Frequency = 42.5;
    c.Dynamics[0].GateIndex = 12.5f;
    c.Dynamics[1].Pendiente = 5.5f;
    c.Routing.RouteC = 0.25;
    c.Routing.RouteD = 0.75;
    const std::string longPath = "/" + std::string(150, 'x') + "/show.v23";
    ConfigurationRecord bytes = BuildConfigurationRecord(c, longPath);
    const LittleEndianRecord r(bytes);
    EXPECT_EQ(r.Int32(1148), 42);
    EXPECT_EQ(r.Int32(1512), 12);
    EXPECT_EQ(r.Int32(1524), 6);
    EXPECT_EQ(r.Int32(1156), 2);
    EXPECT_EQ(r.Int32(1164), 8);
    EXPECT_EQ(bytes[15], 100);
    EXPECT_EQ(r.String(15, 100), ("Tessaline Sound Works VELD231.2.8.0" + longPath).substr(0, 100));
    EXPECT_EQ(bytes[116], 6); // the next field starts right after the cut text
}

// Each damaged field lands where its editor would put it; the holds of the dynamics
// fields themselves belong to the dynamics record.
TEST(ConfigurationRecord, DamagedFieldsAreHeldToTheirEditorsRanges) {
    constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    // clang-format off
    const Field damage[] = {
        // Header and name lengths beyond their 100 and 40 characters, the temperature.
        {15, B, 255}, {116, B, 255}, {424, I, 1000},
        // IN 1 band 1: type, frequency, Q, b0; OUT 1's gain.
        {484 + 24, B, 200}, {484 + 8, D, kNaN}, {484 + 16, D, -kInf}, {1528, X, kInf},
        {876, D, kNaN},
        // OUT 1: a Linkwitz-Riley high-pass of order 99, a low-pass of family 77 and order
        // -5; OUT 2's low-pass at NaN Hz and a low-pass family for its high-pass; a
        // high-pass family for OUT 3's low-pass; both solos of OUT 1.
        {908 + 12, I, 99}, {908 + 25, B, kLinkwitzRileyHighPass}, {908 + 24, B, 77},
        {908 + 8, I, -5}, {908 + 28 + 4, F, kNaN}, {908 + 28 + 25, B, kBesselLowPass},
        {908 + 56 + 24, B, kSectionsHighPass}, {992, B, 1}, {995, B, 1},
        // Loudness gain, type and frequency; dynamics record 1's ratio; route state;
        // measurement path length and reference level; alignment delays; a delay word.
        {1000, D, -kInf}, {1016, B, 5}, {1148, I, 1000000000}, {1020 + 4, F, 0.0f},
        {1172, I, 7}, {1185, B, 250}, {1492, F, kNaN}, {1500, I, -5}, {1508, I, 9999},
        {464, I, 9999}};
    // clang-format on
    ConfigurationRecord bytes = BuildConfigurationRecord(ProcessorConfiguration{}, kShowPath);
    LittleEndianRecord r(bytes);
    for (const Field& f : damage) {
        Write(r, f);
    }
    ProcessorConfiguration c;
    ASSERT_EQ(FileOpening().Open(c, bytes), ConfigurationOpenResult::Opened);

    EXPECT_EQ(c.SystemInformation.SystemName.Length(), 40u);
    EXPECT_EQ(c.DelayTemperature, 50);
    const TSOS& band = c.Peq[0].bands[0];
    EXPECT_EQ(band.SectionType, kBypass);
    EXPECT_EQ(band.Frequency, 1000.0);
    EXPECT_EQ(band.Q, 0.5);
    EXPECT_EQ(band.b0, kCoef22Max);
    EXPECT_EQ(c.Levels[0].LevelDb(), 0.0);
    const TXOVER& x = c.Crossovers[0];
    EXPECT_EQ(x.HighPass.Order, 4); // the highest a Linkwitz-Riley half takes
    EXPECT_EQ(x.LowPass.Family, kXoverBypass);
    EXPECT_EQ(x.LowPass.Order, 1);
    EXPECT_EQ(c.Crossovers[1].LowPass.Frequency, 20.0);
    // Where the half's family list puts them; the list has no entry for the last one.
    EXPECT_EQ(c.Crossovers[1].HighPass.Family, kLinkwitzRileyHighPass);
    EXPECT_EQ(c.Crossovers[2].LowPass.Family, kXoverBypass);
    EXPECT_TRUE(c.CrossoverSolos[0].HighPassAux);
    EXPECT_FALSE(c.CrossoverSolos[0].LowPassAux);
    EXPECT_EQ(c.Loudness[0].GainDb, 0.0);
    EXPECT_EQ(c.Loudness[0].SectionType, kParametricQAdap);
    EXPECT_EQ(c.Loudness[0].Frequency, 80.0);
    EXPECT_EQ(c.Dynamics[0].Ratio, 1.0f);
    EXPECT_EQ(c.Routing.RouteState, 0); // taken as 0, the even mix
    EXPECT_EQ(c.MeasurementImport.MeasurementFiles[0].size(), 100u);
    EXPECT_EQ(c.MeasurementImport.ReferenceLevel, 90.0);
    EXPECT_EQ(c.Delays[0].AlignmentDelay, 0);
    EXPECT_EQ(c.Delays[2].AlignmentDelay, 141);
    EXPECT_EQ(c.Delays[0].DelayPosition, 0);
    ExpectWithinEditorRanges(c);
}

} // namespace
} // namespace veld23
