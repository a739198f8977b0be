#pragma once

#include <functional>
#include <string>
#include <vector>

namespace veld23::tool {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;
using CommandFn = std::function<int(const Arguments& args)>;

struct Command {
    std::string name;
    std::string usage; // one line, printed on bad arguments
    CommandFn run;
};

std::vector<Command>& Commands();

// A static instance of this in a command's file adds the command to the tool.
struct CommandRegistration {
    CommandRegistration(std::string name, std::string usage, CommandFn run);
};

// Prints "usage: veld23-tool <usage>" on stderr and returns kExitUsage.
int UsageError(const Command& command);
int UsageError(const std::string& name);

// One message for the user on stderr, as the editor would show it in a box. Names in it
// (paths, texts from files) show their control bytes as \xNN, so none can act on the
// terminal or cut the line short.
void PrintMessage(const std::string& text);

// Parses a whole argument as a number; false when any character is left over or the
// number is not finite.
bool ParseDouble(const std::string& text, double& value);
bool ParseInt(const std::string& text, long& value);

} // namespace veld23::tool
