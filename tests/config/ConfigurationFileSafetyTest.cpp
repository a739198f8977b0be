#include "config/ConfigurationFile.h"
#include "config/ConfigurationInvariants.h"
#include "config/ConfigurationJson.h"
#include "config/Ext80.h"
#include "config/LittleEndianRecord.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingLoadedSteps.h"
#include "config/TestFiles.h"
#include "dsp/Coef22Range.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <limits>
#include <sys/resource.h>

// Files that are damaged, hostile or out of reach, and saves that cannot happen: the
// configuration is either left exactly as it was or ends within what the editors accept.

namespace veld23 {
namespace {

namespace fs = std::filesystem;
using testing::ExpectWithinEditorRanges;
using testing::ReadAll;
using testing::RecordingFileMessages;
using testing::RecordingLoadedSteps;
using testing::RecordingRealTimeSender;
using testing::TempDirTest;
using testing::WriteAll;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class ConfigurationFileOnDisk : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        sender.mode = false;
    }

    ConfigurationOpenResult OpenFile(ProcessorConfiguration& c, const fs::path& path) {
        return OpenConfigurationFile(c, path.string(), sender, steps, messages);
    }

    RecordingRealTimeSender sender;
    RecordingLoadedSteps steps;
    RecordingFileMessages messages;
};

TEST(ConfigurationFileDamage, EveryLoadedValueIsHeldToItsEditorsRange) {
    ProcessorConfiguration source;
    source.Topology = OutputTopology::ThreeOutputs;
    ConfigurationRecord bytes = BuildConfigurationRecord(source, "/x.v23");
    LittleEndianRecord r(bytes);
    r.PutByte(116, 255);                              // name length beyond its 40 characters
    r.PutInt32(424, 1000);                            // temperature
    r.PutByte(484 + 24, 200);                         // section type of IN 1 band 1
    r.PutDouble(484 + 8, kNaN);                       // its frequency
    r.PutDouble(484 + 16, -kInf);                     // its Q
    r.PutExt80(1528, static_cast<long double>(kInf)); // its b0
    r.PutExt80(1538, static_cast<long double>(kNaN)); // its b1
    r.PutDouble(876, kNaN);                           // OUT 1 gain
    r.PutDouble(884, kInf);                           // OUT 2 gain
    r.PutInt32(908 + 12, 99);                         // OUT 1 high-pass order
    r.PutByte(908 + 25, kLinkwitzRileyHighPass);
    r.PutByte(908 + 24, 77); // OUT 1 low-pass family
    r.PutInt32(908 + 8, -5);
    r.PutFloat32(908 + 28 + 4, std::numeric_limits<float>::quiet_NaN());
    r.PutByte(908 + 28 + 25, kBesselLowPass);    // a low-pass family for OUT 2's high-pass
    r.PutByte(908 + 56 + 24, kSectionsHighPass); // a high-pass family for OUT 3's low-pass
    r.PutByte(992, 1);                           // both solos of OUT 1
    r.PutByte(995, 1);
    r.PutDouble(1000, -kInf); // loudness gain
    r.PutByte(1016, 5);
    r.PutInt32(1148, 1000000000);
    r.PutFloat32(1020 + 0, std::numeric_limits<float>::quiet_NaN()); // Umbral
    r.PutFloat32(1020 + 4, 0.0f);                                    // Ratio
    r.PutFloat32(1020 + 12, 5.0f);                                   // RmsCoef
    r.PutInt32(1020 + 16, -1);                                       // HoldSamples
    r.PutInt32(1020 + 20, 1000000);                                  // DecayCode
    r.PutInt32(1020 + 24, 1000000);                                  // LookAheadSamples
    r.PutByte(1020 + 29, 9);                                         // Tipo
    r.PutFloat32(1020 + 32, std::numeric_limits<float>::infinity()); // Knee
    r.PutFloat32(1020 + 44, 0.0f);                                   // AmpGain
    r.PutFloat32(1020 + 48, 0.0f);                                   // Zload
    r.PutInt32(1020 + 60, -7);                                       // NumberSpeakers
    r.PutInt32(1156, std::numeric_limits<std::int32_t>::min());
    r.PutInt32(1172, 7);  // RouteState
    r.PutByte(1185, 250); // measurement path length
    r.PutFloat32(1492, std::numeric_limits<float>::quiet_NaN());
    r.PutByte(1496, 0);
    r.PutInt32(1500, -5);
    r.PutInt32(1508, 9999);
    r.PutInt32(464, 9999); // OUT 1 delay word
    r.PutInt32(468, -9999);
    r.PutInt32(1512, 99); // gate index
    r.PutInt32(1520, 0);  // ramp length

    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    sender.mode = false;
    RecordingLoadedSteps steps;
    RecordingFileMessages messages;
    ASSERT_EQ(OpenConfigurationBytes(c, bytes, "/x.v23", sender, steps, messages),
              ConfigurationOpenResult::Opened);

    EXPECT_EQ(c.SystemInformation.SystemName.Length(), 40u);
    EXPECT_EQ(c.DelayTemperature, 50);
    const TSOS& band = c.Peq[0].bands[0];
    EXPECT_EQ(band.SectionType, kBypass);
    EXPECT_EQ(band.Frequency, 1000.0);
    EXPECT_EQ(band.Q, 0.5);
    EXPECT_EQ(band.b0, kCoef22Max);
    EXPECT_EQ(band.b1, 0.0L);
    EXPECT_EQ(c.Levels[0].LevelDb(), 0.0);
    EXPECT_EQ(c.Levels[1].LevelDb(), 6.0);
    EXPECT_LT(c.Levels[1].OutputGain, 2.0);
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
    const TDYNAMIC& d = c.Dynamics[0];
    EXPECT_FALSE(std::isnan(d.Umbral));
    EXPECT_EQ(d.Ratio, 1.0f);
    EXPECT_EQ(d.Knee, 10.0f);
    EXPECT_EQ(d.AmpGain, 5.0f);
    EXPECT_EQ(d.Zload, 2.0f);
    EXPECT_EQ(d.NumberSpeakers, 0);
    EXPECT_EQ(d.Tipo, dynamics::kCompressor);
    EXPECT_LT(d.RmsCoef, 1.0L);
    EXPECT_EQ(d.HoldSamples, 0);
    EXPECT_EQ(d.DecayCode, 584);       // 80 dB/s
    EXPECT_EQ(d.LookAheadSamples, 96); // 2 ms
    EXPECT_EQ(d.GateIndex, 33.0f);
    EXPECT_EQ(d.Pendiente, 1.0f);
    EXPECT_EQ(c.Routing.RouteState, 0); // taken as 0, the even mix
    EXPECT_EQ(c.Routing.RouteC, 0.5);
    EXPECT_EQ(c.MeasurementImport.MeasurementFiles[0].size(), 100u);
    EXPECT_EQ(c.MeasurementImport.ReferenceLevel, 90.0);
    EXPECT_EQ(c.Delays[0].AlignmentDelay, 0);
    EXPECT_EQ(c.Delays[2].AlignmentDelay, 141);
    EXPECT_EQ(c.Delays[0].DelayPosition, 0);
    EXPECT_EQ(c.Delays[1].DelayPosition, 165);
    EXPECT_EQ(c.Delays[1].DelayWord, 0);
    ExpectWithinEditorRanges(c);
}

TEST_F(ConfigurationFileOnDisk, UnreachableFilesAreRefusedWithTheirReason) {
    const fs::path file = dir / "show.v23";
    ProcessorConfiguration source;
    WriteAll(file, BuildConfigurationRecord(source, file.string()));

    const ProcessorConfiguration reference;
    const std::string untouched = ConfigurationToJson(reference);
    struct Case {
        fs::path path;
        std::string reason;
    };
    const Case cases[] = {{dir / "missing.v23", "No such file or directory"},
                          {dir, "it is a folder"},
                          {file / "inside.v23", "Not a directory"}};
    for (const Case& k : cases) {
        ProcessorConfiguration c;
        messages.errors.clear();
        EXPECT_EQ(OpenFile(c, k.path), ConfigurationOpenResult::Refused);
        ASSERT_EQ(messages.errors.size(), 1u);
        EXPECT_EQ(messages.errors[0], "Could not open " + k.path.string() + ": " + k.reason + ".");
        EXPECT_EQ(ConfigurationToJson(c), untouched);
    }
    EXPECT_TRUE(steps.calls.empty());
}

TEST_F(ConfigurationFileOnDisk, RelativePathsAreReportedAndStoredInFull) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    ProcessorConfiguration c;
    const Result<> saved = SaveConfigurationFile(c, "./sub/../show.v23");
    fs::current_path(previous);
    ASSERT_TRUE(saved) << saved.Message();
    const std::vector<std::uint8_t> bytes = ReadAll(dir / "show.v23");
    ASSERT_EQ(bytes.size(), 2228u);
    std::vector<std::uint8_t> copy = bytes;
    const std::string header = "Tessaline Sound Works VELD231.2.8.0" + (dir / "show.v23").string();
    EXPECT_EQ(LittleEndianRecord(copy).String(15, 100), header.substr(0, 100));
}

TEST_F(ConfigurationFileOnDisk, SaveWritesTheRecordAndReplacesAWholeFile) {
    const fs::path file = dir / "show.v13";
    WriteAll(file, std::vector<std::uint8_t>(5000, 0xEE));
    ProcessorConfiguration c;
    c.SystemInformation.SystemName.Assign("Saved");
    const Result<> result = SaveConfigurationFile(c, file.string());
    ASSERT_TRUE(result) << result.Message();
    const std::vector<std::uint8_t> bytes = ReadAll(file);
    const ConfigurationRecord expected = BuildConfigurationRecord(c, file.string());
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1); // nothing left beside it
}

TEST_F(ConfigurationFileOnDisk, FailedSavesLeaveThePreviousFileAndSayWhy) {
    const fs::path file = dir / "show.v23";
    const std::vector<std::uint8_t> previous(2228, 0x5A);
    WriteAll(file, previous);
    ProcessorConfiguration c;

    // A read-only file is not replaced, although a rename could.
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Result<> result = SaveConfigurationFile(c, file.string());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Message(), "Could not save " + file.string() +
                                    ": the file is read-only. The previous file is unchanged.");
    EXPECT_EQ(ReadAll(file), previous);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);

    // A disk that fills up half way (a file size limit does the same).
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    result = SaveConfigurationFile(c, file.string());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(result);
    EXPECT_NE(result.Message().find(file.string()), std::string::npos) << result.Message();
    EXPECT_EQ(ReadAll(file), previous);

    const fs::path missing = dir / "missing" / "show.v23";
    result = SaveConfigurationFile(c, missing.string());
    EXPECT_FALSE(result);
    EXPECT_NE(result.Message().find(missing.string()), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "missing"));

    result = SaveConfigurationFile(c, dir.string());
    EXPECT_FALSE(result);
    EXPECT_NE(result.Message().find("folder"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

} // namespace
} // namespace veld23
