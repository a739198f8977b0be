// What each program says about itself: the project's one version number, and its usage
// on --help (on stdout, not as an error).
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

} // namespace
} // namespace veld23
