#include "RunTool.h"

#include "config/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// new, convert and dump, run as the program. The files they work on are made by the
// tool itself; offsets and texts are the configuration file's and the image's own.

namespace {

namespace fs = std::filesystem;
using veld23::testing::ReadAll;
using veld23::testing::ReadText;
using veld23::testing::RunTool;
using veld23::testing::TempDirTest;
using veld23::testing::WriteAll;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kFileSize = 2228;
constexpr std::size_t kImageSize = 2047;

std::int32_t Int32At(const Bytes& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | bytes.at(offset + i);
    }
    return static_cast<std::int32_t>(v);
}

// The record without its header text, which names the file's own path.
Bytes WithoutHeader(Bytes bytes) {
    std::fill(bytes.begin() + 15, bytes.begin() + 116, 0);
    return bytes;
}

class ToolConfiguration : public TempDirTest {
  protected:
    // A configuration the editor has opened once: every later open and save keeps it.
    std::string Opened() {
        EXPECT_EQ(RunTool({"new", "--outputs", "3", P("new.v23")}).exitCode, 0);
        const auto r = RunTool({"convert", P("new.v23"), P("opened.v23")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return P("opened.v23");
    }
};

TEST_F(ToolConfiguration, NewMakesEachFormForTheChosenTopology) {
    auto r = RunTool({"new", P("two.v23")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const Bytes two = ReadAll(P("two.v23"));
    ASSERT_EQ(two.size(), kFileSize);
    EXPECT_EQ(std::string(two.begin(), two.begin() + 8), "\x07VELD13F");
    EXPECT_EQ(two[1496], 1);          // two outputs
    EXPECT_EQ(Int32At(two, 1172), 2); // route state of the two-output command
    EXPECT_EQ(Int32At(two, 476), 2);  // a new equaliser uses two bands
    EXPECT_EQ(std::string(two.begin() + 117, two.begin() + 123), "NoName");

    EXPECT_EQ(RunTool({"new", "--outputs", "3", P("three.v13")}).exitCode, 0);
    EXPECT_EQ(ReadAll(P("three.v13"))[1496], 0);

    EXPECT_EQ(RunTool({"new", "--outputs", "3", P("three.bin")}).exitCode, 0);
    const Bytes image = ReadAll(P("three.bin"));
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_EQ(image[4], 0);

    EXPECT_EQ(RunTool({"new", P("two.json")}).exitCode, 0);
    EXPECT_NE(ReadText(P("two.json")).find("\"Topology\": \"TwoOutputs\""), std::string::npos);

    EXPECT_EQ(RunTool({"new", "--outputs", "4", P("x.v23")}).exitCode, 2);
    EXPECT_EQ(RunTool({"new"}).exitCode, 2);
    r = RunTool({"new", P("x.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("unknown file type"), std::string::npos);
    EXPECT_FALSE(fs::exists(P("x.v23")));
}

TEST_F(ToolConfiguration, ConvertIsAFixedPointAndJsonKeepsEveryByte) {
    const std::string opened = Opened();
    const Bytes once = ReadAll(opened);
    EXPECT_EQ(Int32At(once, 476), 7); // opening selected every band
    EXPECT_EQ(Int32At(once, 480), 7);

    ASSERT_EQ(RunTool({"convert", opened, P("twice.v23")}).exitCode, 0);
    EXPECT_EQ(WithoutHeader(ReadAll(P("twice.v23"))), WithoutHeader(once));

    ASSERT_EQ(RunTool({"convert", opened, P("opened.json")}).exitCode, 0);
    const auto r = RunTool({"convert", P("opened.json"), P("back.v23")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(WithoutHeader(ReadAll(P("back.v23"))), WithoutHeader(once));

    // dump shows what convert writes as JSON.
    const auto dump = RunTool({"dump", opened});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_TRUE(dump.err.empty());
    EXPECT_EQ(dump.out, ReadText(P("opened.json")));
}

TEST_F(ToolConfiguration, RefusedFilesAreReportedOnStderrAndFail) {
    const Bytes valid = ReadAll(Opened());

    WriteAll(P("short.v23"), Bytes(valid.begin(), valid.end() - 1));
    auto r = RunTool({"convert", P("short.v23"), P("out.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, P("short.v23") + " is not a VELD23 File\n");
    EXPECT_FALSE(fs::exists(P("out.v23")));

    Bytes wrongMagic = valid;
    wrongMagic[0] = 6;
    WriteAll(P("magic.v23"), wrongMagic);
    r = RunTool({"dump", P("magic.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, P("magic.v23") + " is not a VELD23File\n");
    EXPECT_TRUE(r.out.empty());

    r = RunTool({"dump", P("missing.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Could not open " + P("missing.v23") + ": No such file or directory.\n");

    ASSERT_EQ(RunTool({"convert", P("opened.v23"), P("opened.json")}).exitCode, 0);
    std::string json = ReadText(P("opened.json"));
    json.replace(json.find("\"Q\": 0.7"), 8, "\"Q\": 25");
    WriteAll(P("bad.json"), Bytes(json.begin(), json.end()));
    r = RunTool({"convert", P("bad.json"), P("out.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, P("bad.json") + ": /Peq/0/bands/0/Q: 25 is outside 0.5 to 20\n");

    WriteAll(P("short.bin"), Bytes(100, 0));
    r = RunTool({"convert", P("short.bin"), P("out.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              P("short.bin") + " is not a device image: it holds 100 bytes, an image 2047\n");
    EXPECT_FALSE(fs::exists(P("out.v23")));
}

TEST_F(ToolConfiguration, OlderFilesWarnAndConvertToTheFullRecord) {
    const Bytes valid = ReadAll(Opened());
    WriteAll(P("old.v13"), Bytes(valid.begin(), valid.begin() + 1512));
    const auto r = RunTool({"convert", P("old.v13"), P("new.v23")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, P("old.v13") +
                         " is not a VELD23 File or is an older version (then re-save the file to "
                         "translate it to VERSION 1.2.8.0\n");
    const Bytes converted = ReadAll(P("new.v23"));
    ASSERT_EQ(converted.size(), kFileSize);
    EXPECT_EQ(Int32At(converted, 1512), 13);
    EXPECT_EQ(Int32At(converted, 1516), 13);
    EXPECT_EQ(Int32At(converted, 1520), 4);
    EXPECT_EQ(Int32At(converted, 1524), 4);
}

TEST_F(ToolConfiguration, OpeningRunsTheMeasurementImport) {
    const std::string opened = Opened();
    ASSERT_EQ(RunTool({"convert", opened, P("opened.json")}).exitCode, 0);
    std::string json = ReadText(P("opened.json"));
    const std::string slots = "\"MeasurementFiles\": [\n      \"\"";
    ASSERT_NE(json.find(slots), std::string::npos);
    json.replace(json.find(slots), slots.size(),
                 "\"MeasurementFiles\": [\n      \"" + P("gone.txt") + "\"");
    WriteAll(P("slots.json"), Bytes(json.begin(), json.end()));
    // The file the slot names is not there: the editor says so and opens all the same.
    const auto r = RunTool({"convert", P("slots.json"), P("slots.v23")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Unable to Open " + P("gone.txt") +
                         " Measure File for Output 1. Look for the correct file to use the "
                         "Measures.\n");
    const Bytes saved = ReadAll(P("slots.v23"));
    ASSERT_EQ(saved.size(), kFileSize);
    EXPECT_EQ(std::string(saved.begin() + 1186, saved.begin() + 1186 + saved[1185]), P("gone.txt"));
}

// Names from the command line or from a file reach stderr with every control byte shown
// as \xNN: a name cannot clear the terminal, fake a line or cut its message short.
TEST_F(ToolConfiguration, MessagesShowTheControlBytesOfNamesEscaped) {
    auto r = RunTool({"dump", P("show\x1B[2J\nx.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "Could not open " + P("show\\x1B[2J\\x0Ax.v23") + ": No such file or directory.\n");

    ASSERT_EQ(RunTool({"new", P("base.json")}).exitCode, 0);
    std::string json = ReadText(P("base.json"));
    const std::string slots = "\"MeasurementFiles\": [\n      \"\"";
    ASSERT_NE(json.find(slots), std::string::npos);
    json.replace(json.find(slots), slots.size(),
                 "\"MeasurementFiles\": [\n      \"/m/a\\u0000\\u001b]0;x\\u0007.frd\"");
    WriteAll(P("slots.json"), Bytes(json.begin(), json.end()));
    r = RunTool({"convert", P("slots.json"), P("slots.v23")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Unable to Open /m/a\\x00\\x1B]0;x\\x07.frd Measure File for Output 1. Look "
                     "for the correct file to use the Measures.\n");
}

TEST_F(ToolConfiguration, DeviceImagesConvertBothWays) {
    const std::string opened = Opened();
    ASSERT_EQ(RunTool({"convert", opened, P("memory.bin")}).exitCode, 0);
    const Bytes image = ReadAll(P("memory.bin"));
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_EQ(image[4], 0); // three outputs

    const auto r = RunTool({"convert", P("memory.bin"), P("read.v23")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Bytes read = ReadAll(P("read.v23"));
    const Bytes original = ReadAll(opened);
    EXPECT_EQ(read[1496], 0);
    // The image pads the name to 40 characters and the labels to 6.
    EXPECT_EQ(read[116], 40);
    EXPECT_EQ(std::string(read.begin() + 117, read.begin() + 157), "NoName" + std::string(34, ' '));
    EXPECT_EQ(read[456], 6);
    // Blocks the image carries come back: crossover and dynamics fields as they were.
    EXPECT_TRUE(std::equal(read.begin() + 908, read.begin() + 992, original.begin() + 908));
    EXPECT_EQ(Int32At(read, 1172), Int32At(original, 1172));
}

TEST_F(ToolConfiguration, FailedSavesLeaveThePreviousFileAndSayWhy) {
    const std::string opened = Opened();
    auto r = RunTool({"convert", opened, P("missing/out.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(P("missing/out.v23")), std::string::npos) << r.err;

    const Bytes previous(kFileSize, 0x5A);
    WriteAll(P("locked.v23"), previous);
    fs::permissions(P("locked.v23"), fs::perms::owner_read);
    r = RunTool({"convert", opened, P("locked.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Could not save " + P("locked.v23") +
                         ": the file is read-only. The previous file is unchanged.\n");
    EXPECT_EQ(ReadAll(P("locked.v23")), previous);
}

} // namespace
