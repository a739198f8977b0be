#include "RunTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using veld23::testing::RunTool;

namespace {

std::vector<double> Table(const std::vector<std::string>& args) {
    std::vector<std::string> full = {"dynamics"};
    full.insert(full.end(), args.begin(), args.end());
    const auto r = RunTool(full);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    std::vector<double> values;
    for (const std::string& line : r.outLines()) {
        values.push_back(std::stod(line));
    }
    return values;
}

double Round4(double v) {
    return std::round(v * 1e4) / 1e4;
}

TEST(ToolDynamics, PrintsTheStartUpLimiterTable) {
    const auto t = Table({"-6", "2", "4", "0", "1", "4"});
    ASSERT_EQ(t.size(), 33u);
    EXPECT_EQ(t[0], 0.0); // the gate-off table still closes -96 dBFS
    for (int k = 1; k <= 28; ++k) {
        EXPECT_EQ(t[k], 1.0) << k;
    }
    EXPECT_EQ(Round4(t[29]), 0.9928);
    EXPECT_EQ(Round4(t[30]), 0.8913);
    EXPECT_EQ(Round4(t[31]), 0.7029);
    EXPECT_EQ(Round4(t[32]), 0.5012);
}

TEST(ToolDynamics, CompressorAndGateTakeTheirArguments) {
    const auto c = Table({"-6", "2", "4", "1", "1", "4"});
    ASSERT_EQ(c.size(), 33u);
    EXPECT_EQ(Round4(c[29]), 0.9964);
    EXPECT_EQ(Round4(c[30]), 0.9441);
    EXPECT_EQ(Round4(c[31]), 0.8384);
    EXPECT_EQ(Round4(c[32]), 0.7079);

    const auto g = Table({"-6", "2", "4", "0", "10", "4"});
    ASSERT_EQ(g.size(), 33u);
    for (int k = 0; k <= 5; ++k) {
        EXPECT_EQ(g[k], 0.0) << k;
    }
    EXPECT_EQ(g[6], 0.25);
    EXPECT_EQ(g[7], 0.5);
    EXPECT_EQ(g[8], 0.75);
    EXPECT_EQ(g[9], 1.0);
    EXPECT_EQ(g[10], 1.0);
}

TEST(ToolDynamics, RefusesBadArgumentsWithOneUsageLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"dynamics"},
        {"dynamics", "-6", "2", "4", "0", "1"},
        {"dynamics", "-6", "2", "4", "0", "1", "4", "9"},
        {"dynamics", "0", "2", "4", "0", "1", "4"},    // threshold above the slider
        {"dynamics", "-70", "2", "4", "0", "1", "4"},  // below it
        {"dynamics", "-6", "0", "4", "0", "1", "4"},   // ratio 0
        {"dynamics", "-6", "2", "11", "0", "1", "4"},  // knee
        {"dynamics", "-6", "2", "4", "2", "1", "4"},   // neither limiter nor compressor
        {"dynamics", "-6", "2", "4", "0", "34", "4"},  // gate past the table
        {"dynamics", "-6", "2", "4", "0", "1", "0"},   // ramp of zero points
        {"dynamics", "-6", "2", "4", "0", "1.5", "4"}, // gate index not whole
        {"dynamics", "-6", "nan", "4", "0", "1", "4"},
        {"dynamics", "-6dB", "2", "4", "0", "1", "4"},
    };
    for (const auto& args : bad) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind("usage: veld23-tool dynamics UMBRAL", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
    }
}

} // namespace
