#pragma once

#include "link/ProcessorSimulator.h"

#include <optional>
#include <string>
#include <vector>

namespace veld23::sim {

struct SimOptions {
    unsigned baud = 0; // 0: answers as fast as the pseudo terminal carries them
    std::vector<int> protectedMemories;
    int runningMemory = 1;
    std::string memoryDir;
    bool log = false;
    link::SimFaults faults;
};

inline constexpr const char* kUsage =
    "usage: veld23-sim [--baud BITS_PER_S] [--protect N[,N...]] [--running N] [--memory-dir DIR]\n"
    "                  [--silent STEP] [--wrong STEP[=BYTE]] [--burst STEP[=COUNT]] [--delay MS]\n"
    "                  [--hangup-after BLOCKS] [--oversize[=LENGTH]] [--corrupt[=OFFSET]] [--log]\n"
    "  STEP: start command program long data end (answers to the editor's commands),\n"
    "        begin rx-command rx-program rx-long rx-data rx-end (while returning a memory)";

// Parses the program's arguments; returns an error text on bad ones.
std::optional<std::string> ParseSimOptions(const std::vector<std::string>& args,
                                           SimOptions& options);

// Sets up a simulator as the options say (not the memory folder).
void Configure(const SimOptions& options, link::ProcessorSimulator& processor);

} // namespace veld23::sim
