#include "RunTool.h"

#include "config/TestFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>

using veld23::testing::RunTool;

namespace {

std::vector<double> Row(const std::string& line) {
    return veld23::testing::Numbers(line, ',');
}

class ToolResponse : public veld23::testing::TempDirTest {
  protected:
    // A three-output configuration whose OUT 1 measurement is a flat 93 dB SPL text file,
    // with only the speaker data switched into the final response.
    std::string WithMeasurement() {
        std::ofstream frd(P("woofer.frd"));
        frd << "* flat test speaker\n";
        for (double hz = 10; hz < 30000; hz *= 1.1) {
            frd << hz << " 93.0 0\n";
        }
        frd.close();
        EXPECT_EQ(RunTool({"new", "--outputs", "3", P("base.json")}).exitCode, 0);
        std::ifstream in(P("base.json"));
        nlohmann::json j = nlohmann::json::parse(in);
        j["MeasurementImport"]["MeasurementFiles"][0] = P("woofer.frd");
        j["MeasurementImport"]["ImportFileType"] = 10;
        j["MeasurementImport"]["ReferenceLevel"] = 90.0;
        j["FinalResponse"] = {{"SpkData", true},
                              {"PEQBox", false},
                              {"XOVERBox", false},
                              {"GAINBox", false},
                              {"DelayBox", false}};
        std::ofstream(P("measured.json")) << j.dump(2);
        return P("measured.json");
    }
};

} // namespace

TEST_F(ToolResponse, ChannelOneShowsTheNamedMeasurement) {
    const auto r = RunTool({"response", WithMeasurement()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 402u);
    EXPECT_EQ(lines[0], "hz,ch1,ch2,ch3,sum");
    const double sum = 20 * std::log10(std::pow(10.0, 3.0 / 20) + 2.0);
    for (std::size_t i = 1; i < lines.size(); i += 40) {
        const auto row = Row(lines[i]);
        ASSERT_EQ(row.size(), 5u);
        EXPECT_NEAR(row[1], 3.0, 1e-4) << lines[i]; // 93 dB SPL over a 90 dB reference
        EXPECT_EQ(row[2], 0.0);
        EXPECT_EQ(row[3], 0.0);
        EXPECT_NEAR(row[4], sum, 1e-4);
    }
    EXPECT_EQ(Row(lines[1])[0], 20);
    EXPECT_EQ(Row(lines[401])[0], 23999);
}

TEST_F(ToolResponse, PhaseViewPrintsDegrees) {
    const auto r = RunTool({"response", WithMeasurement(), "--view", "phase"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto row = Row(r.outLines()[200]);
    EXPECT_EQ(row[1], 0.0);
    EXPECT_EQ(row[4], 0.0);
}

TEST_F(ToolResponse, RefusesBadArgumentsAndMissingFiles) {
    EXPECT_EQ(RunTool({"response"}).exitCode, 2);
    EXPECT_EQ(RunTool({"response", P("a.v23"), "--view", "side"}).exitCode, 2);
    EXPECT_EQ(RunTool({"response", P("a.v23"), P("b.v23")}).exitCode, 2);
    const auto missing = RunTool({"response", P("missing.v23")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err, "");
    EXPECT_EQ(missing.out, "");
}
