#pragma once

#include "support/Subprocess.h"

#include <sstream>
#include <string>
#include <vector>

namespace veld23::testing {

// What a program run to its end left behind.
struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;

    std::vector<std::string> OutLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
};

// Runs the program argv[0] with its arguments and waits for it to end.
inline ToolRun RunToEnd(const std::vector<std::string>& argv) {
    Subprocess program(argv);
    const int code = program.Wait();
    return {code, program.Stdout(), program.Stderr()};
}

#ifdef VELD23_TOOL_PATH
// The built veld23-tool with these arguments.
inline ToolRun RunTool(std::vector<std::string> args) {
    args.insert(args.begin(), VELD23_TOOL_PATH);
    return RunToEnd(args);
}
#endif

} // namespace veld23::testing
