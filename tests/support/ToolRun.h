#pragma once

#include "support/Subprocess.h"

#include <string>
#include <vector>

namespace veld23::testing {

// What a program run to its end left behind.
struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs the program argv[0] with its arguments and waits for it to end.
inline ToolRun RunToEnd(const std::vector<std::string>& argv) {
    Subprocess program(argv);
    const int code = program.Wait();
    return {code, program.Stdout(), program.Stderr()};
}

} // namespace veld23::testing
