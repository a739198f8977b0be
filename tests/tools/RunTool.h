#pragma once

#include <string>
#include <vector>

namespace veld23::testing {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    std::vector<std::string> outLines() const;
};

// Runs the built veld23-tool with the arguments and collects both streams.
ToolResult RunTool(const std::vector<std::string>& args);

// The numbers of one line, split at blanks or at the separator given.
std::vector<double> Numbers(const std::string& line, char separator = ' ');

} // namespace veld23::testing
