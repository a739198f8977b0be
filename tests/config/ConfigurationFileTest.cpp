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

} // namespace
} // namespace veld23
