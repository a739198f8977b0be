// What each program says about itself: the project's one version number, and its usage
// on --help (on stdout, not as an error) or after a bad option (on stderr, status 2).
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

using testing::RunToEnd;
using testing::ToolRun;

TEST(Programs, TellTheProjectVersionAndTheirUsage) {
    const std::pair<std::string, std::string> programs[] = {{VELD23_TOOL_PATH, "veld23-tool"},
                                                            {VELD23_SIM_PATH, "veld23-sim"},
                                                            {VELD23_EDITOR_PATH, "veld23"}};
    for (const auto& [path, name] : programs) {
        for (const char* option : {"--version", "-v"}) {
            const ToolRun run = RunToEnd({path, option});
            EXPECT_EQ(run.exitCode, 0) << name << " " << option;
            EXPECT_EQ(run.out, name + " " + VELD23_VERSION + "\n");
            EXPECT_EQ(run.err, "") << name;
        }
        const ToolRun help = RunToEnd({path, "--help"});
        EXPECT_EQ(help.exitCode, 0) << name;
        EXPECT_EQ(help.err, "") << name;
        EXPECT_NE(help.out.find("--version"), std::string::npos) << name;
    }
    // A subcommand's own help names its arguments.
    const ToolRun write = RunToEnd({VELD23_TOOL_PATH, "device", "--usb", "write", "--help"});
    EXPECT_EQ(write.exitCode, 0);
    for (const char* word : {"N", "CONFIG", "--no-verify"}) {
        EXPECT_NE(write.out.find(word), std::string::npos) << word;
    }
}

TEST(Programs, TheSimulatorRefusesBadOptionsWithItsUsage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--protect", "9"},
                                                 {"--wrong", "nowhere"},
                                                 {"--baud", "fast"},
                                                 {"--silent", "start=3"},
                                                 {"--frobnicate"}}) {
        std::vector<std::string> argv = {VELD23_SIM_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        const ToolRun run = RunToEnd(argv);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_NE(run.err.find("usage: veld23-sim"), std::string::npos) << args[0];
    }
}

} // namespace
} // namespace veld23
