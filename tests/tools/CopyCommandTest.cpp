#include "RunTool.h"

#include "config/ConfigurationFile.h"
#include "config/ConfigurationSamples.h"
#include "config/TestFiles.h"

#include <gtest/gtest.h>

// copy, run as the program, on a configuration file whose channels all differ.

namespace {

using veld23::testing::ReadAll;
using veld23::testing::RunTool;
using veld23::testing::TempDirTest;

class ToolCopy : public TempDirTest {};

TEST_F(ToolCopy, CopiesTheNamedBlocksAndRefusesBadChannels) {
    veld23::ProcessorConfiguration config;
    veld23::testing::FillDistinctValues(config);
    config.Topology = veld23::OutputTopology::ThreeOutputs;
    ASSERT_TRUE(veld23::SaveConfigurationFile(config, P("show.v23")));

    const auto r = RunTool(
        {"copy", P("show.v23"), "--peq", "2:1", "--xover", "2:3", "--level", "1:2", P("out.v23")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto copied = veld23::DecodeConfigurationRecord(ReadAll(P("out.v23")));
    const auto& c = copied;
    // PEQ 2's bands (one of them with typed coefficients) are PEQ 1's now.
    EXPECT_EQ(c.Peq[1].bands[6].SectionType, veld23::kIirCoeff);
    for (int k = 0; k < 7; ++k) {
        EXPECT_TRUE(c.Peq[0].bands[k] == c.Peq[1].bands[k]) << "band " << k + 1;
    }
    EXPECT_TRUE(c.Crossovers[2] == c.Crossovers[1]);
    EXPECT_EQ(c.Crossovers[2].HighPass.Frequency, 120.0);
    EXPECT_TRUE(c.CrossoverSolos[2] == c.CrossoverSolos[1]);
    EXPECT_TRUE(c.Levels[1] == c.Levels[0]);
    EXPECT_FALSE(c.Levels[1].OutputInverted);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"copy", P("show.v23"), P("out.v23")},
          {"copy", P("show.v23"), "--peq", "1:3", P("out.v23")},
          {"copy", P("show.v23"), "--dynamics", "2:2", P("out.v23")},
          {"copy", P("show.v23"), "--gain", "1:2", P("out.v23")},
          {"copy", P("show.v23"), "--xover", "1-2", P("out.v23")}}) {
        EXPECT_EQ(RunTool(bad).exitCode, 2) << bad[2];
    }
    EXPECT_EQ(RunTool({"copy", P("missing.v23"), "--peq", "1:2", P("x.v23")}).exitCode, 1);
}

} // namespace
