// veld23-tool as a program: for every command its command-line contract (arguments, exit
// code, what goes to stdout and what to stderr, the output's form) with one representative
// case. What the output means is tested in the layer that computes it.
#include "support/ToolRun.h"

#include "config/ConfigurationFile.h"
#include "config/ConfigurationSamples.h"
#include "config/TestFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using veld23::testing::ReadAll;
using veld23::testing::ReadText;
using veld23::testing::RunTool;
using veld23::testing::ToolRun;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kFileSize = 2228;
constexpr std::size_t kImageSize = 2047;
constexpr std::size_t kGridPoints = 401;

// The record without its header text, which names the file's own path.
Bytes WithoutHeader(Bytes bytes) {
    std::fill(bytes.begin() + 15, bytes.begin() + 116, 0);
    return bytes;
}

std::size_t Count(const std::string& line, char separator) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), separator)) + 1;
}

class Tool : public veld23::testing::TempDirTest {
  protected:
    // A new three-output configuration the editor has opened once: every later open and
    // save keeps it.
    std::string Opened() {
        EXPECT_EQ(RunTool({"new", "--outputs", "3", P("new.v23")}).exitCode, 0);
        const ToolRun r = RunTool({"convert", P("new.v23"), P("opened.v23")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return P("opened.v23");
    }

    // A new three-output configuration as JSON, changed by `edit`.
    template <typename Edit> std::string Edited(Edit edit) {
        EXPECT_EQ(RunTool({"new", "--outputs", "3", P("base.json")}).exitCode, 0);
        std::ifstream in(P("base.json"));
        nlohmann::json j = nlohmann::json::parse(in);
        edit(j);
        std::ofstream(P("edited.json")) << j.dump(2);
        return P("edited.json");
    }
};

TEST(ToolArguments, BadArgumentsExitTwoWithTheCommandsUsageLineOnly) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"no-such-command"},
        {"new", "--outputs", "4", "x.v23"},
        {"convert", "a.v23"},
        {"dump"},
        {"grid", "1"},
        {"section", "14", "1000", "0", "1"},
        {"section", "1", "1k", "0", "1"},
        {"section", "1", "nan", "3", "0.7"},
        {"encode", "1", "1e400"},
        {"xover", "1", "4"},
        {"xover", "7", "2", "1000"}, // families 7 and 8 only come from files
        {"xover", "1", "7", "1000"}, // would need a fourth section
        {"xover", "1", "2", "9.99"},
        {"dynamics", "0", "2", "4", "0", "1", "4"}, // threshold above the slider
        {"dynamics", "-6", "2", "4", "0", "1.5", "4"},
        {"response", "a.v23", "--view", "side"},
        {"export", "wav", "a.v23"},
        {"copy", "a.v23", "b.v23"}, // nothing to copy
        {"copy", "a.v23", "--peq", "1:3", "b.v23"},
        {"copy", "a.v23", "--dynamics", "2:2", "b.v23"},
        {"copy", "a.v23", "--xover", "1-2", "b.v23"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun r = RunTool(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        const std::string command =
            args.empty() || args[0] == "no-such-command" ? "COMMAND" : args[0];
        EXPECT_TRUE(r.err.starts_with("usage: veld23-tool " + command)) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

// The image form is written by the same code as convert's, tested there.
TEST_F(Tool, NewWritesTheFormItsExtensionNames) {
    const ToolRun r = RunTool({"new", "--outputs", "3", P("three.v13")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out + r.err, "");
    const Bytes file = ReadAll(P("three.v13"));
    ASSERT_EQ(file.size(), kFileSize);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 8), "\x07VELD13F");
    EXPECT_EQ(file[1496], 0);                               // three outputs
    EXPECT_EQ(RunTool({"new", P("two.json")}).exitCode, 0); // two outputs unless told
    EXPECT_NE(ReadText(P("two.json")).find("\"Topology\": \"TwoOutputs\""), std::string::npos);

    const ToolRun unknown = RunTool({"new", P("x.txt")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("unknown file type"), std::string::npos) << unknown.err;
    EXPECT_FALSE(fs::exists(P("x.txt")));
}

TEST_F(Tool, ConvertAndDumpKeepEveryByteThroughJsonAndTheImage) {
    const std::string opened = Opened();
    const Bytes once = ReadAll(opened);
    ASSERT_EQ(RunTool({"convert", opened, P("opened.json")}).exitCode, 0);
    const ToolRun back = RunTool({"convert", P("opened.json"), P("back.v23")});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(WithoutHeader(ReadAll(P("back.v23"))), WithoutHeader(once));

    const ToolRun dump = RunTool({"dump", opened});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.err, "");
    EXPECT_EQ(dump.out, ReadText(P("opened.json")));

    ASSERT_EQ(RunTool({"convert", opened, P("memory.bin")}).exitCode, 0);
    EXPECT_EQ(ReadAll(P("memory.bin")).size(), kImageSize);
    ASSERT_EQ(RunTool({"convert", P("memory.bin"), P("read.v23")}).exitCode, 0);
    EXPECT_EQ(ReadAll(P("read.v23")).size(), kFileSize);
}

TEST_F(Tool, RefusedFilesAndFailedSavesExitOneWithTheirMessage) {
    const Bytes valid = ReadAll(Opened());
    veld23::testing::WriteAll(P("short.v23"), Bytes(valid.begin(), valid.end() - 1));
    ToolRun r = RunTool({"convert", P("short.v23"), P("out.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, P("short.v23") + " is not a VELD23 File\n");
    EXPECT_FALSE(fs::exists(P("out.v23")));

    // Names reach stderr with every control byte shown as \xNN: a name cannot clear the
    // terminal, fake a line or cut its message short.
    r = RunTool({"dump", P("show\x1B[2J\nx.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "Could not open " + P("show\\x1B[2J\\x0Ax.v23") + ": No such file or directory.\n");

    r = RunTool({"convert", P("opened.v23"), P("missing/out.v23")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.starts_with("Could not save " + P("missing/out.v23"))) << r.err;
}

TEST_F(Tool, WarningsGoToStderrAndTheCommandGoesOn) {
    // An older file, and a measurement that is not there: both said, both opened.
    const Bytes valid = ReadAll(Opened());
    veld23::testing::WriteAll(P("old.v13"), Bytes(valid.begin(), valid.begin() + 1512));
    ToolRun r = RunTool({"convert", P("old.v13"), P("new.v23")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, P("old.v13") +
                         " is not a VELD23 File or is an older version (then re-save the file to "
                         "translate it to VERSION 1.2.8.0\n");
    EXPECT_EQ(ReadAll(P("new.v23")).size(), kFileSize);

    const std::string config = Edited([&](nlohmann::json& j) {
        j["MeasurementImport"]["MeasurementFiles"][0] = P("gone\x07.txt");
    });
    r = RunTool({"convert", config, P("slots.v23")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Unable to Open " + P("gone\\x07.txt") +
                         " Measure File for Output 1. Look for the correct file to use the "
                         "Measures.\n");
}

TEST(ToolFilters, GridSectionAndEncodePrintTheirLines) {
    const ToolRun grid = RunTool({"grid"});
    ASSERT_EQ(grid.exitCode, 0);
    const auto hz = grid.OutLines();
    ASSERT_EQ(hz.size(), kGridPoints);
    EXPECT_EQ(hz[0], "20");
    EXPECT_EQ(hz[400], "23999");

    // Coefficients, then hz, dB and radians at every grid point.
    const ToolRun section = RunTool({"section", "1", "1000", "0", "2"});
    ASSERT_EQ(section.exitCode, 0) << section.err;
    const auto lines = section.OutLines();
    ASSERT_EQ(lines.size(), 1 + kGridPoints);
    EXPECT_TRUE(lines[0].starts_with("1 ")) << lines[0];
    EXPECT_EQ(Count(lines[0], ' '), 5u);
    EXPECT_EQ(lines[1], "20 0 0");

    // The word's bytes and the value they stand for; a value beyond the word is held at
    // its end, and the tool says so.
    const ToolRun encode = RunTool({"encode", "-1", "2"});
    ASSERT_EQ(encode.exitCode, 0);
    EXPECT_EQ(encode.OutLines(),
              (std::vector<std::string>{"30 00 00 -1", "1F FF FF 1.9999990463256836"}));
    EXPECT_EQ(encode.err, "encode: 2 is beyond the word's range; held at 1.9999990463256836\n");
}

TEST(ToolFilters, XoverPrintsOrderSectionsAndResponse) {
    const ToolRun r = RunTool({"xover", "1", "4", "1000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = r.OutLines();
    ASSERT_EQ(lines.size(), 1 + 2 + kGridPoints);
    EXPECT_EQ(lines[0], "4 2"); // order, sections
    // type, frequency, Q and the five coefficients
    EXPECT_TRUE(lines[1].starts_with("10 1000 1.306")) << lines[1];
    EXPECT_EQ(Count(lines[2], ' '), 8u);
    EXPECT_TRUE(lines[3].starts_with("20 ")) << lines[3];
    EXPECT_EQ(Count(lines[3], ' '), 3u);

    // A Bessel low-pass above its limit is said on stderr and designed at the limit.
    const ToolRun bessel = RunTool({"xover", "5", "2", "19000"});
    EXPECT_EQ(bessel.exitCode, 0);
    EXPECT_EQ(bessel.err, "Maximum Bessel Cutoff = 18800 for LowPass of order 2\n");
    EXPECT_EQ(bessel.out, RunTool({"xover", "5", "2", "18800"}).out);
}

TEST(ToolDynamics, PrintsTheThirtyThreePointTable) {
    const ToolRun r = RunTool({"dynamics", "-6", "2", "4", "0", "1", "4"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = r.OutLines();
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0], "0"); // the gate closes -96 dBFS
    EXPECT_NEAR(std::stod(lines[32]), 0.5012, 5e-5);
}

TEST_F(Tool, ResponsePrintsTheCurvesOfTheMeasurements) {
    // A flat 93 dB SPL speaker on OUT 1 against a 90 dB reference, only the speaker data on.
    std::ofstream(P("woofer.frd")) << "* flat test speaker\n10 93 0\n30000 93 0\n";
    const std::string config = Edited([&](nlohmann::json& j) {
        j["MeasurementImport"]["MeasurementFiles"][0] = P("woofer.frd");
        j["MeasurementImport"]["ImportFileType"] = 10;
        j["MeasurementImport"]["ReferenceLevel"] = 90.0;
        j["FinalResponse"] = {{"SpkData", true},
                              {"PEQBox", false},
                              {"XOVERBox", false},
                              {"GAINBox", false},
                              {"DelayBox", false}};
    });
    const ToolRun r = RunTool({"response", config, "--view", "mag"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.OutLines();
    ASSERT_EQ(lines.size(), 1 + kGridPoints);
    EXPECT_EQ(lines[0], "hz,ch1,ch2,ch3,sum");
    EXPECT_TRUE(lines[1].starts_with("20,")) << lines[1];
    EXPECT_EQ(Count(lines[200], ','), 5u);
    const double ch1 = std::stod(lines[200].substr(lines[200].find(',') + 1));
    EXPECT_NEAR(ch1, 3.0, 1e-4) << lines[200];
}

TEST_F(Tool, ExportPrintsTextsOrWritesTheFrdFilesWholeOrNotAtAll) {
    const std::string config = Opened();
    const ToolRun biquads = RunTool({"export", "biquads", config});
    ASSERT_EQ(biquads.exitCode, 0) << biquads.err;
    EXPECT_TRUE(biquads.out.starts_with("# VELD23 biquads of the ")) << biquads.out;
    const ToolRun peq = RunTool({"export", "peq", config});
    ASSERT_EQ(peq.exitCode, 0) << peq.err;
    EXPECT_TRUE(peq.out.starts_with("# VELD23 filter settings of the ")) << peq.out;

    fs::create_directory(P("out"));
    const ToolRun frd = RunTool({"export", "frd", config, P("out")});
    ASSERT_EQ(frd.exitCode, 0) << frd.err;
    EXPECT_EQ(frd.out, "");
    for (const char* name : {"out1.frd", "out2.frd", "sub.frd", "sum.frd"}) {
        EXPECT_TRUE(ReadText(P("out/") + name).starts_with("* VELD23 final response of ")) << name;
    }
    const ToolRun missing = RunTool({"export", "frd", config, P("no-such-folder")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.starts_with("Could not save " + P("no-such-folder/out1.frd")));
    EXPECT_FALSE(fs::exists(P("no-such-folder")));
}

TEST_F(Tool, CopyWritesTheConfigurationWithTheNamedBlocksCopied) {
    veld23::ProcessorConfiguration config;
    veld23::testing::FillDistinctValues(config);
    ASSERT_TRUE(veld23::SaveConfigurationFile(config, P("show.v23")));
    const ToolRun r =
        RunTool({"copy", P("show.v23"), "--peq", "2:1", "--level", "1:2", P("out.v23")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const auto c = veld23::DecodeConfigurationRecord(ReadAll(P("out.v23")));
    for (int k = 0; k < 7; ++k) {
        EXPECT_TRUE(c.Peq[0].bands[k] == c.Peq[1].bands[k]) << "band " << k + 1;
    }
    EXPECT_TRUE(c.Levels[1] == c.Levels[0]);
    EXPECT_EQ(RunTool({"copy", P("missing.v23"), "--peq", "1:2", P("x.v23")}).exitCode, 1);
}

} // namespace
