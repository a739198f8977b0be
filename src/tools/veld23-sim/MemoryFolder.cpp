#include "MemoryFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace veld23::sim {

MemoryFolder::MemoryFolder(std::string directory) : directory_(std::move(directory)) {}

std::string MemoryFolder::PathOf(int memory) const {
    return (std::filesystem::path(directory_) / ("memory" + std::to_string(memory) + ".bin"))
        .string();
}

bool MemoryFolder::Load(link::ProcessorSimulator& processor) const {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (!std::filesystem::is_directory(directory_)) {
        return false;
    }
    for (int memory = 1; memory <= link::protocol::kMemories; ++memory) {
        std::ifstream in(PathOf(memory), std::ios::binary);
        if (in) {
            processor.SetMemory(memory,
                                std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
        }
    }
    return true;
}

bool MemoryFolder::Save(const link::ProcessorSimulator& processor, int memory) const {
    // Written beside and renamed, so a stop in the middle never leaves half a memory.
    const std::string path = PathOf(memory);
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        const auto& bytes = processor.Memory(memory);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    return !error;
}

} // namespace veld23::sim
