// What each program says about itself: the project's one version number, and on
// --help every option it takes.
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

using testing::RunToEnd;
using testing::ToolRun;

struct Program {
    std::string path;
    std::string name;
};

std::vector<Program> Programs() {
    return {{VELD23_TOOL_PATH, "veld23-tool"},
            {VELD23_SIM_PATH, "veld23-sim"},
            {VELD23_EDITOR_PATH, "veld23"}};
}

TEST(Programs, TellTheProjectVersion) {
    for (const Program& program : Programs()) {
        for (const char* option : {"--version", "-v"}) {
            const ToolRun run = RunToEnd({program.path, option});
            EXPECT_EQ(run.exitCode, 0) << program.name << " " << option;
            EXPECT_EQ(run.out, program.name + " " + VELD23_VERSION + "\n");
            EXPECT_EQ(run.err, "") << program.name;
        }
    }
}

TEST(Programs, HelpListsEveryOptionOnStdout) {
    struct Help {
        std::vector<std::string> argv;
        std::vector<std::string> listed;
    };
    const std::vector<Help> helps = {
        {{VELD23_SIM_PATH, "--help"},
         {"--baud", "--protect", "--running", "--memory-dir", "--log", "--silent", "--wrong",
          "--burst", "--delay", "--hangup-after", "--oversize", "--corrupt", "--version",
          "rx-command"}},
        {{VELD23_TOOL_PATH, "--help"},
         {"grid", "section", "xover", "encode", "dynamics", "new", "convert", "copy", "dump",
          "response", "export", "device", "--version"}},
        {{VELD23_TOOL_PATH, "device", "--usb", "write", "--help"}, {"N", "CONFIG", "--no-verify"}},
        {{VELD23_EDITOR_PATH, "--help"}, {"--com1", "--com2", "FILE", "--version"}},
    };
    for (const Help& help : helps) {
        const std::string shown = ::testing::PrintToString(help.argv);
        const ToolRun run = RunToEnd(help.argv);
        EXPECT_EQ(run.exitCode, 0) << shown;
        EXPECT_EQ(run.err, "") << shown;
        for (const std::string& word : help.listed) {
            EXPECT_NE(run.out.find(word), std::string::npos) << shown << " lacks " << word;
        }
    }
}

} // namespace
} // namespace veld23
