#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/ConfigurationSamples.h"
#include "config/LittleEndianRecord.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingSteps.h"
#include "config/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// Opening a record: the checks made first and the order of the restore (the update steps
// recorded rather than run); and the file on the disk, saved whole under its full path or
// refused with its reason.

namespace veld23 {
namespace {

namespace fs = std::filesystem;
using testing::FileOpening;
using testing::FillDistinctValues;
using testing::kShowPath;
using testing::ReadAll;
using testing::TempDirTest;
using testing::WriteAll;

ConfigurationRecord DistinctRecord() {
    ProcessorConfiguration source;
    FillDistinctValues(source);
    return BuildConfigurationRecord(source, kShowPath);
}

TEST(ConfigurationFile, SizeIsCheckedThenMagicAndOlderSizesWarnFirst) {
    const std::string path(kShowPath);
    const std::string older = path +
                              " is not a VELD23 File or is an older version (then re-save the "
                              "file to translate it to VERSION 1.2.8.0";
    const std::string wrongMagic = path + " is not a VELD23File";
    using R = ConfigurationOpenResult;
    const struct {
        std::size_t size;
        std::string magic; // the first eight bytes
        R result;
        std::vector<std::string> warnings;
        std::vector<std::string> errors;
    } cases[] = {{2227, "\x07VELD13F", R::Refused, {}, {path + " is not a VELD23 File"}},
                 {2228, "\x06VELD13F", R::Refused, {}, {wrongMagic}},
                 {2228, "\x07VELD13G", R::Refused, {}, {wrongMagic}},
                 {1512, "\x07XELD13F", R::Refused, {older}, {wrongMagic}},
                 {1512, "\x07VELD13F", R::OpenedOlderVersion, {older}, {}},
                 {1528, "\x07VELD13F", R::OpenedOlderVersion, {older}, {}}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.size);
        ConfigurationRecord bytes = DistinctRecord();
        // A 1528-byte file carries gate fields of its own; they are not trusted either.
        LittleEndianRecord(bytes).PutInt32(1512, 20);
        std::copy(k.magic.begin(), k.magic.end(), bytes.begin());
        ProcessorConfiguration c;
        const std::string untouched = ConfigurationToJson(c);
        FileOpening o;
        EXPECT_EQ(o.Open(c, std::span(bytes).first(k.size)), k.result);
        EXPECT_EQ(o.messages.warnings, k.warnings);
        EXPECT_EQ(o.messages.errors, k.errors);
        if (k.result == R::Refused) {
            EXPECT_TRUE(o.steps.calls.empty());
            EXPECT_TRUE(o.sender.calls.empty());
            EXPECT_EQ(ConfigurationToJson(c), untouched);
            continue;
        }
        // An older file gets the gate defaults and flat coefficients; the band parameters
        // are there, for the redesign.
        for (const TDYNAMIC& d : c.Dynamics) {
            EXPECT_EQ(d.GateIndex, 13.0f);
            EXPECT_EQ(d.Pendiente, 4.0f);
        }
        const TSOS& band = c.Peq[0].bands[2];
        EXPECT_EQ(band.GainDb, -3.5);
        EXPECT_EQ(band.b0, 1.0L);
        EXPECT_EQ(band.a2, 0.0L);
        EXPECT_EQ(c.SystemInformation.SystemName, "Stage Left");
    }
}

TEST(ConfigurationFile, OpeningRestoresThenRefreshesInTheEditorsOrder) {
    ProcessorConfiguration c;
    FileOpening o;
    // Runs at every step of the order checked below.
    o.steps.during = [](const std::string& step, ProcessorConfiguration& at) {
        if (step == "LookAheadChanged") {
            // The stored look-ahead, before the topology is applied.
            EXPECT_EQ(at.Dynamics[0].LookAheadSamples, 24);
        } else if (step == "TopologyApplied") {
            // The delay sliders are placed for the stored topology first.
            EXPECT_EQ(at.Delays[0].DelayPosition, 164 - 10);
        } else if (step == "RefreshDynamics1") {
            // The route is replayed after the dynamics: until then the amounts are those
            // the three-output command set.
            EXPECT_EQ(at.Routing.RouteC, 0.5);
        } else if (step == "ConfirmMeasurementImport") {
            EXPECT_EQ(at.Routing.RouteState, 1);
            EXPECT_EQ(at.Routing.RouteC, 1.0);
        }
    };
    ASSERT_EQ(o.Open(c, DistinctRecord()), ConfigurationOpenResult::Opened);
    EXPECT_EQ(o.steps.calls,
              (std::vector<std::string>{
                  "LookAheadChanged", "TopologyApplied", "RefreshDistances", "RefreshGainsFromFile",
                  "RefreshCrossover1", "RefreshCrossover2", "RefreshCrossover3", "RefreshLoudness",
                  "RefreshDynamics2", "RefreshDynamics1", "ConfirmMeasurementImport",
                  "RefreshEqualiser2", "RefreshEqualiser1"}));
}

TEST(ConfigurationFile, RoutingComesFromTheStoredStateNotTheStoredAmounts) {
    for (const bool two : {false, true}) {
        ProcessorConfiguration source;
        source.Topology = two ? OutputTopology::TwoOutputs : OutputTopology::ThreeOutputs;
        source.Routing.SelectRoute(1);
        ConfigurationRecord bytes = BuildConfigurationRecord(source, kShowPath);
        LittleEndianRecord r(bytes);
        r.PutInt32(1156, 3); // amounts no state gives
        r.PutInt32(1164, 3);
        ProcessorConfiguration c;
        ASSERT_EQ(FileOpening().Open(c, bytes), ConfigurationOpenResult::Opened);
        EXPECT_EQ(c.Topology, source.Topology);
        // A two-output file always opens with state 2, whatever it stored.
        EXPECT_EQ(c.Routing.RouteState, two ? 2 : 1);
        EXPECT_EQ(c.Routing.RouteC, two ? 0.0 : 1.0);
        EXPECT_EQ(c.Routing.RouteD, two ? 1.0 : 0.0);
    }
}

TEST(ConfigurationFile, TypedCoefficientsComeBackOnTheStepsTheProcessorReceives) {
    ProcessorConfiguration source;
    TSOS& typed = source.Peq[0].bands[4];
    typed.SectionType = kIirCoeff;
    typed.b0 = 0.1L;  // 104857.6 steps
    typed.b1 = -0.1L; // the word truncates toward zero
    ProcessorConfiguration c;
    ASSERT_EQ(FileOpening().Open(c, BuildConfigurationRecord(source, kShowPath)),
              ConfigurationOpenResult::Opened);
    const TSOS& band = c.Peq[0].bands[4];
    EXPECT_EQ(band.b0, 104857.0L / 1048576.0L);
    EXPECT_EQ(band.b1, -104857.0L / 1048576.0L);
    // A designed band keeps what the file holds until the equaliser designs it again.
    source.Peq[0].bands[4].SectionType = kParametricQAdap;
    ProcessorConfiguration designed;
    ASSERT_EQ(FileOpening().Open(designed, BuildConfigurationRecord(source, kShowPath)),
              ConfigurationOpenResult::Opened);
    EXPECT_EQ(designed.Peq[0].bands[4].b0, 0.1L);
}

class ConfigurationFileOnDisk : public TempDirTest {};

TEST_F(ConfigurationFileOnDisk, UnreachableFilesAreRefusedWithTheirReason) {
    const struct {
        fs::path path;
        std::string reason;
    } cases[] = {{dir / "missing.v23", "No such file or directory"}, {dir, "it is a folder"}};
    for (const auto& k : cases) {
        ProcessorConfiguration c;
        const std::string untouched = ConfigurationToJson(c);
        FileOpening o;
        EXPECT_EQ(OpenConfigurationFile(c, k.path.string(), o.sender, o.steps, o.messages),
                  ConfigurationOpenResult::Refused);
        EXPECT_EQ(o.messages.errors, std::vector<std::string>{"Could not open " + k.path.string() +
                                                              ": " + k.reason + "."});
        EXPECT_EQ(ConfigurationToJson(c), untouched);
        EXPECT_TRUE(o.steps.calls.empty());
    }
}

// A relative name is saved, and stored in the header, as its full path; the whole
// previous file is replaced, longer as it was, and nothing is left beside it. A read-only
// file is not replaced, although a rename could.
TEST_F(ConfigurationFileOnDisk, SaveWritesTheWholeRecordUnderTheFullPathUnlessReadOnly) {
    const fs::path file = dir / "show.v23";
    WriteAll(file, std::vector<std::uint8_t>(5000, 0xEE));
    ProcessorConfiguration c;
    c.SystemInformation.SystemName.Assign("Saved");
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    const Result<> saved = SaveConfigurationFile(c, "./sub/../show.v23");
    fs::current_path(previous);
    ASSERT_TRUE(saved) << saved.Message();
    const ConfigurationRecord expected = BuildConfigurationRecord(c, file.string());
    const std::vector<std::uint8_t> written(expected.begin(), expected.end());
    EXPECT_EQ(ReadAll(file), written);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);

    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(SaveConfigurationFile(ProcessorConfiguration{}, file.string()).Message(),
              "Could not save " + file.string() +
                  ": the file is read-only. The previous file is unchanged.");
    EXPECT_EQ(ReadAll(file), written);
}

} // namespace
} // namespace veld23
