#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/ConfigurationSamples.h"
#include "config/LittleEndianRecord.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingLoadedSteps.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

// The record byte by byte, the checks made when opening and the order of the restore,
// with the update steps recorded rather than run.

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

struct Opened {
    ConfigurationOpenResult result;
    RecordingLoadedSteps steps;
    RecordingFileMessages messages;
    RecordingRealTimeSender sender;
};

// Opens bytes into `config` with Real Time mode off, as the application has it then.
void Open(ProcessorConfiguration& config, std::span<const std::uint8_t> bytes, Opened& o) {
    o.sender.mode = false;
    o.result = OpenConfigurationBytes(config, bytes, kPath, o.sender, o.steps, o.messages);
}

TEST(ConfigurationFile, RecordHoldsEveryFieldAtItsOffset) {
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

    EXPECT_EQ(r.Double(876), 0.5);
    EXPECT_EQ(r.Double(884), -1.25);
    EXPECT_EQ(r.Double(892), 1.0);
    EXPECT_EQ((std::vector<int>{bytes[900], bytes[901], bytes[902]}), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ((std::vector<int>{bytes[903], bytes[904], bytes[905]}), (std::vector<int>{1, 0, 0}));

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

TEST(ConfigurationFile, StoredIntegersRoundHalvesToEven) {
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

TEST(ConfigurationFile, HeaderTextIsCutAtHundredCharactersAndIgnoredOnOpen) {
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
    ProcessorConfiguration a;
    ProcessorConfiguration b;
    Opened oa;
    Opened ob;
    Open(a, bytes, oa);
    Open(b, damaged, ob);
    EXPECT_EQ(oa.result, ConfigurationOpenResult::Opened);
    EXPECT_EQ(ConfigurationToJson(a), ConfigurationToJson(b));
}

TEST(ConfigurationFile, WrongSizeOrMagicIsRefusedBeforeAnythingChanges) {
    ProcessorConfiguration source;
    FillDistinctValues(source);
    const ConfigurationRecord bytes = RecordOf(source);

    ProcessorConfiguration c;
    const std::string untouched = ConfigurationToJson(c);

    Opened shortFile;
    Open(c, std::span(bytes).first(2227), shortFile);
    EXPECT_EQ(shortFile.result, ConfigurationOpenResult::Refused);
    EXPECT_EQ(shortFile.messages.errors,
              std::vector<std::string>{std::string(kPath) + " is not a VELD23 File"});
    EXPECT_TRUE(shortFile.messages.warnings.empty());

    ConfigurationRecord wrongFirst = bytes;
    wrongFirst[0] = 6;
    Opened magic;
    Open(c, wrongFirst, magic);
    EXPECT_EQ(magic.result, ConfigurationOpenResult::Refused);
    EXPECT_EQ(magic.messages.errors,
              std::vector<std::string>{std::string(kPath) + " is not a VELD23File"});

    ConfigurationRecord wrongLetter = bytes;
    wrongLetter[7] = 'G';
    Opened letter;
    Open(c, wrongLetter, letter);
    EXPECT_EQ(letter.result, ConfigurationOpenResult::Refused);

    for (const Opened* o : {&shortFile, &magic, &letter}) {
        EXPECT_TRUE(o->steps.calls.empty());
        EXPECT_TRUE(o->sender.calls.empty());
    }
    EXPECT_EQ(ConfigurationToJson(c), untouched);
}

TEST(ConfigurationFile, OlderFilesWarnAndGetGateDefaultsAndFlatCoefficients) {
    ProcessorConfiguration source;
    FillDistinctValues(source);
    ConfigurationRecord bytes = RecordOf(source);
    // A 1528-byte file carries gate fields of its own; they are not trusted either.
    LittleEndianRecord(bytes).PutInt32(1512, 20);

    const std::string warning =
        std::string(kPath) +
        " is not a VELD23 File or is an older version (then re-save the file to translate it "
        "to VERSION 1.2.8.0";
    for (std::size_t size : {std::size_t{1512}, std::size_t{1528}}) {
        ProcessorConfiguration c;
        Opened o;
        Open(c, std::span(bytes).first(size), o);
        EXPECT_EQ(o.result, ConfigurationOpenResult::OpenedOlderVersion) << size;
        EXPECT_EQ(o.messages.warnings, std::vector<std::string>{warning});
        EXPECT_TRUE(o.messages.errors.empty());
        for (const TDYNAMIC& d : c.Dynamics) {
            EXPECT_EQ(d.GateIndex, 13.0f);
            EXPECT_EQ(d.Pendiente, 4.0f);
        }
        const TSOS& band = c.Peq[0].bands[2];
        EXPECT_EQ(band.GainDb, -3.5); // the parameters are there, for the redesign
        EXPECT_EQ(band.b0, 1.0L);
        EXPECT_EQ(band.b1, 0.0L);
        EXPECT_EQ(band.a2, 0.0L);
        EXPECT_EQ(c.SystemInformation.SystemName, "Stage Left");
    }

    // The warning comes first; a wrong magic is still refused after it.
    bytes[1] = 'X';
    ProcessorConfiguration c;
    Opened o;
    Open(c, std::span(bytes).first(1512), o);
    EXPECT_EQ(o.result, ConfigurationOpenResult::Refused);
    EXPECT_EQ(o.messages.warnings.size(), 1u);
    EXPECT_EQ(o.messages.errors,
              std::vector<std::string>{std::string(kPath) + " is not a VELD23File"});
}

TEST(ConfigurationFile, OpeningRestoresThenRefreshesInTheEditorsOrder) {
    ProcessorConfiguration source;
    FillDistinctValues(source);
    source.Dynamics[0].LookAheadSamples = 24;
    ProcessorConfiguration c;
    Opened o;
    Open(c, RecordOf(source), o);
    ASSERT_EQ(o.result, ConfigurationOpenResult::Opened);

    const std::vector<std::string> expected = {
        "LookAheadChanged",     "TopologyApplied",          "RefreshDistances",
        "RefreshGainsFromFile", "RefreshCrossover1",        "RefreshCrossover2",
        "RefreshCrossover3",    "RefreshLoudness",          "RefreshDynamics2",
        "RefreshDynamics1",     "ConfirmMeasurementImport", "RefreshEqualiser2",
        "RefreshEqualiser1"};
    EXPECT_EQ(o.steps.Steps(), expected);
    const auto& calls = o.steps.calls;
    // The look-ahead step sees the stored look-ahead, before the topology is applied.
    EXPECT_EQ(calls[0].lookAhead, 24);
    EXPECT_EQ(calls[0].topology, OutputTopology::ThreeOutputs); // the start-up state
    // The topology step follows the delay sliders placed for the stored topology.
    EXPECT_EQ(calls[1].delayPosition1, 164 - 10);
    // The route is replayed after the dynamics and before the measurement import: until
    // then the amounts are those the three-output command set.
    EXPECT_EQ(calls[9].routeC, 0.5);
    EXPECT_EQ(calls[10].routeState, 1);
    EXPECT_EQ(calls[10].routeC, 1.0);
}

TEST(ConfigurationFile, RoutingComesFromTheStoredStateNotTheStoredAmounts) {
    for (std::int32_t state : {0, 1, 2}) {
        ProcessorConfiguration source;
        source.Routing.SelectRoute(state);
        ConfigurationRecord bytes = RecordOf(source);
        LittleEndianRecord r(bytes);
        r.PutInt32(1156, 3); // amounts no state gives
        r.PutInt32(1164, 3);
        r.PutByte(1496, 0);

        ProcessorConfiguration c;
        Opened o;
        Open(c, bytes, o);
        EXPECT_EQ(c.Routing.RouteState, state);
        InputRouting expected;
        expected.SelectRoute(state);
        EXPECT_EQ(c.Routing.RouteC, expected.RouteC) << state;
        EXPECT_EQ(c.Routing.RouteD, expected.RouteD) << state;
        EXPECT_EQ(c.Topology, OutputTopology::ThreeOutputs);
    }

    // A two-output file always opens with state 2, whatever it stored.
    ProcessorConfiguration source;
    source.Routing.SelectRoute(1);
    source.Topology = OutputTopology::TwoOutputs;
    ProcessorConfiguration c;
    Opened o;
    Open(c, RecordOf(source), o);
    EXPECT_EQ(c.Topology, OutputTopology::TwoOutputs);
    EXPECT_EQ(c.Routing.RouteState, 2);
    EXPECT_EQ(c.Routing.RouteC, 0.0);
    EXPECT_EQ(c.Routing.RouteD, 1.0);
    EXPECT_EQ(c.Routing.RouteB, 1.0);
}

TEST(ConfigurationFile, DelaySlidersFollowTheStoredTopology) {
    for (OutputTopology topology : {OutputTopology::TwoOutputs, OutputTopology::ThreeOutputs}) {
        ProcessorConfiguration source;
        source.Topology = topology;
        source.Delays[0].DelayWord = 10;
        source.Delays[1].DelayWord = 20;
        source.Delays[2].DelayWord = 30;
        ProcessorConfiguration c;
        Opened o;
        Open(c, RecordOf(source), o);
        const bool two = topology == OutputTopology::TwoOutputs;
        EXPECT_EQ(c.Delays[0].DelayPosition, (two ? 163 : 164) - 10);
        EXPECT_EQ(c.Delays[1].DelayPosition, 164 - 20);
        EXPECT_EQ(c.Delays[2].DelayPosition, 164 - 30);
        for (int o2 = 0; o2 < 3; ++o2) {
            EXPECT_EQ(c.Delays[o2].DelayWord, 10 * (o2 + 1));
        }
    }
}

TEST(ConfigurationFile, TypedCoefficientsComeBackOnTheStepsTheProcessorReceives) {
    ProcessorConfiguration source;
    TSOS& typed = source.Peq[0].bands[4];
    typed.SectionType = kIirCoeff;
    typed.b0 = 0.1L;  // 104857.6 steps
    typed.b1 = -0.1L; // the word truncates toward zero
    typed.a1 = 1.999999999L;
    ProcessorConfiguration c;
    Opened o;
    Open(c, RecordOf(source), o);
    const TSOS& band = c.Peq[0].bands[4];
    EXPECT_EQ(band.b0, 104857.0L / 1048576.0L);
    EXPECT_EQ(band.b1, -104857.0L / 1048576.0L);
    EXPECT_EQ(band.a1, 2097151.0L / 1048576.0L);
    // A designed band keeps what the file holds until the equaliser designs it again.
    source.Peq[0].bands[4].SectionType = kParametricQAdap;
    ProcessorConfiguration designed;
    Opened od;
    Open(designed, RecordOf(source), od);
    EXPECT_EQ(designed.Peq[0].bands[4].b0, 0.1L);
}

TEST(ConfigurationFile, SavedFieldsComeBackAsStored) {
    ProcessorConfiguration source;
    FillDistinctValues(source);
    ProcessorConfiguration c;
    Opened o;
    Open(c, RecordOf(source), o);
    ASSERT_EQ(o.result, ConfigurationOpenResult::Opened);

    EXPECT_EQ(c.SystemInformation.SystemName, "Stage Left");
    EXPECT_EQ(c.SystemInformation.ProjectName, "Tour");
    EXPECT_EQ(c.SystemInformation.Engineer, "Ana \xE9");
    EXPECT_EQ(c.SystemInformation.Comments, "line 1\r\nline 2");
    EXPECT_EQ(c.DelayTemperature, 31);
    EXPECT_EQ(c.ChannelLabels.Sub, "Subs");
    const TSOS& band = c.Peq[0].bands[2];
    EXPECT_EQ(band.SectionType, kParametricQAdap);
    EXPECT_EQ(band.GainDb, -3.5);
    EXPECT_EQ(band.Frequency, 250.0);
    EXPECT_EQ(band.Q, 2.5);
    EXPECT_EQ(band.b1, -1.5L);
    EXPECT_EQ(band.a2, -0.625L);
    EXPECT_EQ(c.Peq[1].bands[6].b0, 1048575.0L / 1048576.0L);
    EXPECT_EQ(c.Levels[0].OutputGain * c.Levels[0].OutputOnFactor, 0.0); // muted
    EXPECT_TRUE(c.Levels[1].OutputInverted);
    EXPECT_EQ(c.Levels[1].OutputPolarity, -1.0f);
    EXPECT_EQ(c.Crossovers[1].HighPass.Family, kButterworthHighPass);
    EXPECT_EQ(c.Crossovers[1].HighPass.Order, 4);
    EXPECT_EQ(c.Crossovers[1].HighPass.Frequency, 120.0);
    EXPECT_EQ(c.Crossovers[1].LowPass.Family, kLinkwitzRileyLowPass);
    EXPECT_EQ(c.Crossovers[1].LowPass.Frequency, 2500.0);
    EXPECT_TRUE(c.CrossoverSolos[0].HighPassAux);
    EXPECT_TRUE(c.CrossoverSolos[2].LowPassAux);
    EXPECT_EQ(c.Loudness[0].Frequency, 43.0);
    EXPECT_EQ(c.Loudness[0].GainDb, 4.5);
    EXPECT_EQ(c.Loudness[0].SectionType, kHiPassQ);
    const TDYNAMIC& d = c.Dynamics[1];
    EXPECT_EQ(d.Umbral, -20.0f);
    EXPECT_EQ(d.Ratio, 4.0f);
    EXPECT_EQ(d.Gain, 1.5f);
    EXPECT_EQ(d.RmsCoef, static_cast<long double>(0.001f));
    EXPECT_EQ(d.HoldSamples, 480);
    EXPECT_EQ(d.DecayCode, 100);
    EXPECT_EQ(d.LookAheadSamples, 48);
    EXPECT_EQ(d.SpareFlag, 1);
    EXPECT_EQ(d.Tipo, dynamics::kCompressor);
    EXPECT_EQ(d.Knee, 2.5f);
    EXPECT_FALSE(d.Balanceado);
    EXPECT_FALSE(d.Diezmado);
    EXPECT_TRUE(d.Bypass);
    EXPECT_EQ(d.xdBmaxLimit, 10.0f);
    EXPECT_EQ(d.AmpGain, 30.0f);
    EXPECT_EQ(d.Zload, 4.0f);
    EXPECT_EQ(d.PowerMaxLoad, 300.0f);
    EXPECT_EQ(d.PowerAmpMax, 500.0f);
    EXPECT_EQ(d.NumberSpeakers, 2);
    EXPECT_EQ(d.GateIndex, 12.0f);
    EXPECT_EQ(d.Pendiente, 6.0f);
    EXPECT_EQ(c.Routing.RouteState, 1);
    EXPECT_EQ(c.FinalResponse.PEQBox, false);
    EXPECT_EQ(c.FinalResponse.DelayBox, true);
    EXPECT_EQ(c.MeasurementImport.MeasurementFiles[2], "C:\\b.frd");
    EXPECT_EQ(c.MeasurementImport.ImportFileType, 7);
    EXPECT_EQ(c.MeasurementImport.ReferenceLevel, 85.5);
    EXPECT_EQ(c.Delays[2].AlignmentDelay, 7);
    // Not restored: the sample rate stays the program's, the used bands the editor's.
    EXPECT_EQ(c.Peq[0].UsedBands, 2);
}

} // namespace
} // namespace veld23
