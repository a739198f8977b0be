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
    std::vector<Program> programs = {{VELD23_TOOL_PATH, "veld23-tool"},
                                     {VELD23_SIM_PATH, "veld23-sim"}};
#ifdef VELD23_EDITOR_PATH
    programs.push_back({VELD23_EDITOR_PATH, "veld23"});
#endif
    return programs;
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

} // namespace
} // namespace veld23
