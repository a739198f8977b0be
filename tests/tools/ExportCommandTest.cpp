#include "RunTool.h"

#include "config/TestFiles.h"
#include "measure/FrdTextParser.h"
#include "measure/MeasurementText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

using veld23::testing::Numbers;
using veld23::testing::ReadText;
using veld23::testing::RunTool;

namespace {

// One band of an equaliser in the form the configuration's JSON carries it.
nlohmann::json Band(int type, double hz, double gainDb, double q) {
    return {{"SectionType", type}, {"GainDb", gainDb}, {"Frequency", hz}, {"Q", q},   {"b0", 1.0},
            {"b1", 0.0},           {"b2", 0.0},        {"a1", 0.0},       {"a2", 0.0}};
}

class ToolExport : public veld23::testing::TempDirTest {
  protected:
    // A new configuration changed by `edit`, saved as JSON.
    template <typename Edit> std::string Configuration(const char* outputs, Edit edit) {
        EXPECT_EQ(RunTool({"new", "--outputs", outputs, P("new.json")}).exitCode, 0);
        std::ifstream in(P("new.json"));
        nlohmann::json j = nlohmann::json::parse(in);
        edit(j);
        std::ofstream(P("edited.json")) << j.dump(2);
        return P("edited.json");
    }

    // hz -> the four curves of `veld23-tool response` (first row of a repeated frequency).
    std::map<int, std::vector<double>> Response(const std::string& config, const char* view) {
        const auto r = RunTool({"response", config, "--view", view});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::map<int, std::vector<double>> rows;
        const auto lines = r.outLines();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const auto row = Numbers(lines[i], ',');
            rows.emplace(static_cast<int>(row[0]), std::vector<double>(row.begin() + 1, row.end()));
        }
        return rows;
    }
};

} // namespace

TEST_F(ToolExport, FrdFilesReadBackAsTheFinalResponse) {
    std::ofstream(P("woofer.frd")) << "* test speaker\n20 95 10\n2000 85 -40\n24000 80 -90\n";
    const std::string config = Configuration("3", [&](nlohmann::json& j) {
        j["Peq"][0]["bands"][0] = Band(1, 1000, 6, 2);
        j["Delays"][1]["DelayWord"] = 48;
        j["MeasurementImport"]["MeasurementFiles"][0] = P("woofer.frd");
        j["MeasurementImport"]["ImportFileType"] = 10;
    });
    std::filesystem::create_directory(P("out"));
    const auto r = RunTool({"export", "frd", config, P("out")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const auto magnitude = Response(config, "mag");
    const auto phase = Response(config, "phase");
    const char* files[] = {"out1.frd", "out2.frd", "sub.frd", "sum.frd"};
    for (int curve = 0; curve < 4; ++curve) {
        const std::string text = ReadText(P("out/") + files[curve]);
        EXPECT_TRUE(text.starts_with("* VELD23 final response of ")) << files[curve];
        EXPECT_NE(text.find("* blocks: SPEAKERS DATA on, PEQS on, XOVER on, GAIN on, DELAY on\n"),
                  std::string::npos);
        const auto lines = veld23::SplitMeasurementLines(text);
        veld23::MeasuredPoints points;
        veld23::MeasurementProblem problem;
        ASSERT_TRUE(veld23::ParseFrdText(lines, points, problem)) << problem.line;
        // Every grid frequency once, rising: no line was merged away.
        ASSERT_EQ(points.size(), magnitude.size()) << files[curve];
        ASSERT_EQ(points.size(), veld23::CountFrdDataLines(lines, 1000));
        for (std::size_t i = 0; i < points.size(); ++i) {
            const int hz = static_cast<int>(points.frequencyHz[i]);
            ASSERT_EQ(points.frequencyHz[i], hz);
            // Written with four decimals.
            EXPECT_NEAR(points.magnitudeDb[i], magnitude.at(hz)[curve], 0.5e-4 + 1e-9) << hz;
            EXPECT_NEAR(points.phase[i], phase.at(hz)[curve], 0.5e-4 + 1e-9) << hz;
        }
    }
    // Channel 1 carries the measurement (about 90 dB SPL there) and the 6 dB band.
    EXPECT_NEAR(magnitude.lower_bound(1000)->second[0], 6.0, 0.5);
}

TEST_F(ToolExport, BiquadsOfAFlatConfigurationAreUnity) {
    const auto r = RunTool({"export", "biquads", Configuration("2", [](nlohmann::json&) {})});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.outLines();
    std::vector<std::string> blocks;
    int sections = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("# OUT")) {
            blocks.push_back(lines[i]);
        } else if (lines[i].starts_with("biquad")) {
            ++sections;
            ASSERT_LE(i + 6, lines.size());
            const std::vector<std::string> section(lines.begin() + i + 1, lines.begin() + i + 6);
            EXPECT_EQ(section,
                      (std::vector<std::string>{"b0=1,", "b1=0,", "b2=0,", "a1=0,", "a2=0,"}));
        }
    }
    EXPECT_EQ(blocks, (std::vector<std::string>{"# OUT 1 PEQ", "# OUT 1 X-OVER", "# OUT 2 PEQ",
                                                "# OUT 2 X-OVER"}));
    EXPECT_EQ(sections, 7 + 2 + 7 + 2); // seven bands, two crossover sections each
}

TEST_F(ToolExport, KnownBandsGiveTheirCoefficientsAndFilterLines) {
    const std::string config = Configuration("2", [](nlohmann::json& j) {
        j["Peq"][0]["bands"][0] = Band(1, 8000, 6, 1);   // Parametric Q Adap
        j["Peq"][0]["bands"][1] = Band(7, 8000, 0, 2);   // StopBand
        j["Peq"][0]["bands"][2] = Band(2, 100, 3, 0.7);  // Shelv Low 6dB
        j["Peq"][0]["bands"][3] = Band(13, 1000, -6, 2); // Parametric Q Const
    });
    const auto biquads = RunTool({"export", "biquads", config});
    ASSERT_EQ(biquads.exitCode, 0) << biquads.err;
    const auto lines = biquads.outLines();
    ASSERT_EQ(lines[2], "# OUT 1 PEQ");
    ASSERT_EQ(lines[3], "biquad1,");
    // At fs/6 cos w0 = 1/2 and sin w0 = sqrt(3)/2, so alpha = sin w0 / 2Q = sqrt(3)/4; with
    // A = 10^(6/40) and d = 1 + alpha/A: b0 = (1 + alpha A)/d, b1 = -1/d,
    // b2 = (1 - alpha A)/d, and in the stored sign a1 = 1/d, a2 = -(1 - alpha/A)/d.
    const double a = std::pow(10.0, 6.0 / 40.0);
    const double alpha = std::sqrt(3.0) / 4.0;
    const double d = 1 + alpha / a;
    const double expected[] = {(1 + alpha * a) / d, -1 / d, (1 - alpha * a) / d, 1 / d,
                               -(1 - alpha / a) / d};
    const char* names[] = {"b0=", "b1=", "b2=", "a1=", "a2="};
    for (int k = 0; k < 5; ++k) {
        const std::string& line = lines[static_cast<std::size_t>(4 + k)];
        ASSERT_TRUE(line.starts_with(names[k]) && line.ends_with(",")) << line;
        EXPECT_NEAR(std::stod(line.substr(3)), expected[k], 1e-15) << line;
    }

    const auto peq = RunTool({"export", "peq", config});
    ASSERT_EQ(peq.exitCode, 0) << peq.err;
    const auto filters = peq.outLines();
    ASSERT_GE(filters.size(), 10u);
    EXPECT_EQ(filters[2], "# OUT 1 PEQ (IN 1)");
    EXPECT_EQ(filters[3], "Filter 1: ON PK Fc 8000 Hz Gain 6.0 dB Q 1.0000");
    // The notch's bandwidth comes from tan(w0 / 2Q): at fs/6 with Q 2 that is tan(pi/12)
    // = 2 - sqrt(3); the same notch in sin(w0) / 2Q' terms has Q' = (2 sqrt(3) + 3) / 4.
    EXPECT_EQ(filters[4], "Filter 2: ON NO Fc 8000 Hz Q 1.6160");
    EXPECT_EQ(filters[5], "# Filter 2: StopBand, Q 2.0: written with the Q that gives the same "
                          "curve");
    EXPECT_EQ(filters[6], "Filter 3: ON None");
    EXPECT_EQ(filters[7], "# Filter 3: Shelv Low 6dB has no equivalent type; its coefficients "
                          "are in the biquad export");
    // A constant-Q cut of 6 dB is a peaking cut whose Q is smaller by 10^(6/40).
    EXPECT_EQ(filters[8], "Filter 4: ON PK Fc 1000 Hz Gain -6.0 dB Q 1.4159");
}

TEST_F(ToolExport, RefusesBadArgumentsAndTargetsItCannotWrite) {
    const std::string config = Configuration("2", [](nlohmann::json&) {});
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"export"}, {"export", "frd", config}, {"export", "wav", config}, {"export", "peq"}}) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_TRUE(r.err.starts_with("usage: veld23-tool export")) << r.err;
    }
    // A folder nobody may write to: a message naming the file, and nothing left behind.
    std::filesystem::create_directory(P("locked"));
    std::filesystem::permissions(P("locked"), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) {
        const auto r = RunTool({"export", "frd", config, P("locked")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.starts_with("Could not save " + P("locked/out1.frd") + ": ")) << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(P("locked")));
    }
    const auto missing = RunTool({"export", "frd", config, P("no-such-folder")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.starts_with("Could not save " + P("no-such-folder/out1.frd")));
    EXPECT_FALSE(std::filesystem::exists(P("no-such-folder")));
}
