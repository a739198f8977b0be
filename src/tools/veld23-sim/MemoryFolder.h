#pragma once

#include "link/ProcessorSimulator.h"

#include <string>

namespace veld23::sim {

// Keeps the simulator's memories between runs: memory1.bin ... memory8.bin,
// each the bytes of the last write to that memory.
class MemoryFolder {
  public:
    explicit MemoryFolder(std::string directory);

    // Fills the memories that have a file; false when the folder cannot be made.
    bool Load(link::ProcessorSimulator& processor) const;
    bool Save(const link::ProcessorSimulator& processor, int memory) const;

  private:
    std::string PathOf(int memory) const;

    std::string directory_;
};

} // namespace veld23::sim
