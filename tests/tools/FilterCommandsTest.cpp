#include "RunTool.h"

#include <gtest/gtest.h>

using veld23::testing::RunTool;

using veld23::testing::Numbers;

TEST(ToolGrid, PrintsTheFourHundredAndOnePoints) {
    const auto r = RunTool({"grid"});
    ASSERT_EQ(r.exitCode, 0);
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 401u);
    EXPECT_EQ(lines[0], "20");
    EXPECT_EQ(lines[200], "693");
    EXPECT_EQ(lines[400], "23999");
}

TEST(ToolSection, PrintsCoefficientsThenTheResponse) {
    const auto r = RunTool({"section", "1", "1000", "0", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 402u);
    const auto c = Numbers(lines[0]);
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[0], 1.0);
    EXPECT_EQ(c[1], -c[3]);
    const auto first = Numbers(lines[1]);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], 20);
    EXPECT_EQ(first[1], 0);
}

TEST(ToolSection, AppliesTheConstQFloorOfARedesign) {
    const auto floored = RunTool({"section", "13", "9000", "6", "0.5"});
    const auto explicitQ = RunTool({"section", "13", "9000", "6", "1"});
    ASSERT_EQ(floored.exitCode, 0);
    EXPECT_EQ(floored.outLines()[0], explicitQ.outLines()[0]);
}

TEST(ToolSection, RefusesBadArgumentsWithUsage) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"section", "14", "1000", "0", "1"},
                                               {"section", "1", "5", "0", "1"},
                                               {"section", "1", "1000", "13", "1"},
                                               {"section", "1", "1000", "0", "0.1"},
                                               {"section", "1", "1k", "0", "1"},
                                               {"section", "1", "nan", "3", "0.7"},
                                               {"section", "1", "1000", "-nan", "1"},
                                               {"section", "1", "1000", "0", "NAN"},
                                               {"section", "1", "inf", "0", "1"},
                                               {"section", "1", "1000", "0"}}) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.exitCode, 2) << args[1] << " " << args[2];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("usage: veld23-tool section", 0), 0u) << r.err;
    }
}

TEST(ToolEncode, PrintsWordBytesAndDecodedValue) {
    const auto r = RunTool({"encode", "1", "0.99999999", "-1", "-0.0000001"});
    ASSERT_EQ(r.exitCode, 0);
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "10 00 00 1");
    EXPECT_EQ(lines[1], "0F FF FF 0.99999904632568359");
    EXPECT_EQ(lines[2], "30 00 00 -1");
    EXPECT_EQ(lines[3], "00 00 00 0");
}

// Values beyond the word are held at its ends, as every producer of a word does, and
// the tool says so; -2 itself is the word's lowest value and needs no word.
TEST(ToolEncode, HoldsValuesBeyondTheWordAtItsEndsWithAWarning) {
    const auto r = RunTool({"encode", "1e300", "2", "-2", "-2.000001", "-1e300"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.outLines(), (std::vector<std::string>{"1F FF FF 1.9999990463256836",
                                                      "1F FF FF 1.9999990463256836", "20 00 00 -2",
                                                      "20 00 00 -2", "20 00 00 -2"}));
    EXPECT_EQ(r.err, "encode: 1e300 is beyond the word's range; held at 1.9999990463256836\n"
                     "encode: 2 is beyond the word's range; held at 1.9999990463256836\n"
                     "encode: -2.000001 is beyond the word's range; held at -2\n"
                     "encode: -1e300 is beyond the word's range; held at -2\n");
}

TEST(ToolEncode, NonNumberNonFiniteAndUnknownCommandAreUsageErrors) {
    for (const char* value : {"abc", "nan", "inf", "-inf", "1e400"}) {
        const auto r = RunTool({"encode", "1", value});
        EXPECT_EQ(r.exitCode, 2) << value;
        EXPECT_EQ(r.out, "") << value;
        EXPECT_EQ(r.err, "usage: veld23-tool encode VALUE...\n");
    }
    EXPECT_EQ(RunTool({"encode"}).exitCode, 2);
    EXPECT_EQ(RunTool({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(RunTool({}).exitCode, 2);
}
