// veld23-tool xover FAMILY ORDER FREQ, run as a program.

#include "RunTool.h"

#include "dsp/CrossoverHalf.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/Response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using veld23::testing::Numbers;
using veld23::testing::RunTool;
using veld23::testing::ToolResult;

namespace {

constexpr std::size_t kGridLines = 401;

ToolResult Xover(const std::string& family, const std::string& order, const std::string& hz) {
    return RunTool({"xover", family, order, hz});
}

veld23::TXOVERPB DesignInProcess(std::uint8_t family, int order, double hz) {
    veld23::TXOVERPB half;
    half.Family = family;
    half.Order = order;
    half.Frequency = hz;
    for (veld23::TSOS& s : half.Sections) {
        s.Frequency = hz;
    }
    EXPECT_EQ(half.Design(), veld23::HalfDesignStatus::Ok);
    return half;
}

// Every printed number must read back as exactly the value the design holds.
void ExpectOutputOf(const ToolResult& r, const veld23::TXOVERPB& half) {
    const auto lines = r.outLines();
    const std::size_t sections = static_cast<std::size_t>(half.SectionCount);
    ASSERT_EQ(lines.size(), 1 + sections + kGridLines);
    EXPECT_EQ(lines[0], std::to_string(half.Order) + " " + std::to_string(half.SectionCount));
    for (std::size_t i = 0; i < sections; ++i) {
        const auto v = Numbers(lines[1 + i]);
        ASSERT_EQ(v.size(), 8u) << lines[1 + i];
        const veld23::TSOS& s = half.Sections[i];
        EXPECT_EQ(v[0], s.SectionType);
        EXPECT_EQ(v[1], s.Frequency);
        EXPECT_EQ(v[2], s.Q);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(v[3 + k], s.GetCoefficient(k)) << "coefficient " << k;
        }
    }
    veld23::ResponseCurve curve;
    veld23::EvaluateHalf(half, curve);
    const auto& grid = veld23::FrequencyGrid::Shared();
    for (std::size_t i = 0; i < kGridLines; ++i) {
        const auto v = Numbers(lines[1 + sections + i]);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_EQ(v[0], grid.GridHz[i]);
        EXPECT_EQ(v[1], curve.magnitudeDb[i]);
        EXPECT_EQ(v[2], curve.phaseRad[i]);
    }
}

} // namespace

TEST(ToolXover, PrintsOrderSectionsAndResponse) {
    const auto r = Xover("1", "4", "1000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 1u + 2u + kGridLines);
    EXPECT_EQ(lines[0], "4 2");
    const auto first = Numbers(lines[1]);
    EXPECT_EQ(first[0], 10); // LowPass Q
    EXPECT_EQ(first[1], 1000);
    EXPECT_NEAR(first[2], 1.3066, 5e-5);
    EXPECT_NEAR(Numbers(lines[2])[2], 0.5412, 5e-5);
    ExpectOutputOf(r, DesignInProcess(veld23::kButterworthLowPass, 4, 1000));
}

TEST(ToolXover, ButterworthIsThreeDbDownOnItsGridFrequency) {
    const auto r = Xover("2", "5", "693"); // grid point 200
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 1u + 3u + kGridLines);
    EXPECT_EQ(lines[0], "5 3");
    EXPECT_EQ(Numbers(lines[1])[0], 15); // first-order high-pass section
    const auto point = Numbers(lines[1 + 3 + 200]);
    EXPECT_EQ(point[0], 693);
    EXPECT_NEAR(point[1], -3.0103, 1e-4);
}

TEST(ToolXover, LinkwitzRileyOddOrderIsPrintedRaised) {
    const auto r = Xover("3", "3", "1000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.outLines()[0], "4 2");
    ExpectOutputOf(r, DesignInProcess(veld23::kLinkwitzRileyLowPass, 3, 1000));
}

TEST(ToolXover, BesselMatchesTheInProcessDesign) {
    for (const char* family : {"5", "6"}) {
        const auto r = Xover(family, "6", "2500.5");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ExpectOutputOf(r, DesignInProcess(static_cast<std::uint8_t>(std::atoi(family)), 6, 2500.5));
    }
}

TEST(ToolXover, BesselLowPassAboveItsLimitIsReportedAndDesignedAtTheLimit) {
    const auto r = Xover("5", "2", "19000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Maximum Bessel Cutoff = 18800 for LowPass of order 2\n");
    ExpectOutputOf(r, DesignInProcess(veld23::kBesselLowPass, 2, 18800));

    const auto high = Xover("6", "2", "19000");
    ASSERT_EQ(high.exitCode, 0);
    EXPECT_EQ(high.err, "");
}

TEST(ToolXover, BypassPrintsOneFlatSection) {
    const auto r = Xover("0", "4", "1000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 1u + 1u + kGridLines);
    EXPECT_EQ(lines[0], "4 1");
    EXPECT_EQ(lines[1], "0 1000 0.70699999999999996 1 0 0 0 0");
    EXPECT_EQ(lines[2], "20 0 0");
    EXPECT_EQ(lines.back(), "23999 0 0");
}

TEST(ToolXover, QuarterRateFirstOrderQIsFinite) {
    const auto r = Xover("1", "1", "12000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto section = Numbers(r.outLines()[1]);
    EXPECT_TRUE(std::isfinite(section[2]));
    EXPECT_EQ(section[2], veld23::kQuarterRateFirstOrderQ);
}

TEST(ToolXover, RefusesBadArgumentsWithOneUsageLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"xover"},
        {"xover", "1", "4"},
        {"xover", "1", "4", "1000", "5"},
        {"xover", "7", "2", "1000"}, // families 7 and 8 only come from files
        {"xover", "x", "2", "1000"},
        {"xover", "1", "7", "1000"}, // would need a fourth section
        {"xover", "1", "0", "1000"},
        {"xover", "3", "5", "1000"}, // Linkwitz-Riley 5 is raised to 6: four sections
        {"xover", "0", "9", "1000"},
        {"xover", "1", "2.5", "1000"},
        {"xover", "1", "2", "abc"},
        {"xover", "1", "2", ""},
        {"xover", "1", "2", "9.99"},
        {"xover", "1", "2", "20000.5"},
        {"xover", "1", "2", "nan"},
        {"xover", "1", "99999999999999999999", "1000"},
    };
    for (const auto& args : bad) {
        const auto r = RunTool(args);
        std::string shown;
        for (const auto& a : args) {
            shown += a + " ";
        }
        EXPECT_EQ(r.exitCode, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(r.err.rfind("usage: veld23-tool xover ", 0), 0u) << shown << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << shown << r.err;
    }
}

TEST(ToolXover, AcceptsTheEndsOfTheRanges) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"xover", "1", "6", "10"},
                                                                  {"xover", "2", "6", "20000"},
                                                                  {"xover", "3", "4", "20000"},
                                                                  {"xover", "6", "1", "10"},
                                                                  {"xover", "0", "1", "10"}}) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.exitCode, 0) << args[1] << " " << args[2] << " " << args[3] << r.err;
    }
}
