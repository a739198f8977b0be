#include "RunTool.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace veld23::testing {

namespace {

std::string ReadAll(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
            text.append(buf, n);
        }
        std::fclose(f);
    }
    return text;
}

} // namespace

std::vector<std::string> ToolResult::outLines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<double> Numbers(const std::string& line, char separator) {
    std::vector<double> values;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, separator);) {
        if (!cell.empty()) {
            values.push_back(std::strtod(cell.c_str(), nullptr));
        }
    }
    return values;
}

ToolResult RunTool(const std::vector<std::string>& args) {
    char outPath[] = "/tmp/veld23-tool-outXXXXXX";
    char errPath[] = "/tmp/veld23-tool-errXXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    ToolResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        std::vector<char*> argv;
        std::string tool = VELD23_TOOL_PATH;
        argv.push_back(tool.data());
        std::vector<std::string> copy = args;
        for (std::string& a : copy) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        execv(tool.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(outFd);
    close(errFd);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAll(outPath);
    result.err = ReadAll(errPath);
    unlink(outPath);
    unlink(errPath);
    return result;
}

} // namespace veld23::testing
