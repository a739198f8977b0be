#pragma once

#include "link/ProcessorSimulator.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace veld23::sim {

struct SimOptions {
    unsigned baud = 0; // 0: answers as fast as the pseudo terminal carries them
    std::vector<int> protectedMemories;
    int runningMemory = 1;
    std::string memoryDir;
    bool log = false;
    link::SimFaults faults;
};

inline constexpr const char* kUsage = "usage: veld23-sim [OPTIONS]; veld23-sim --help lists them";

// Declares every option on the program's command line, each read into options.
void DefineSimOptions(CLI::App& app, SimOptions& options);

// Sets up a simulator as the options say (not the memory folder).
void Configure(const SimOptions& options, link::ProcessorSimulator& processor);

} // namespace veld23::sim
