// The real-time half of ProcessorSimulator: a complete parameter message lands in
// the running memory, so a test can read the memory back and find the edit.
#include "link/ProcessorSimulator.h"

#include "device/DeviceImage.h"

#include <algorithm>
#include <optional>

namespace veld23::link {

namespace {

constexpr std::size_t kWordBytes = 3;
// The output levels' parameters lie past the block's other words.
constexpr unsigned kFirstLevelParameter = 258;
constexpr unsigned kFirstLevelWord = 255;
constexpr unsigned kLevels = 3;

std::optional<std::size_t> WordOfParameter(unsigned parameter) {
    if (parameter < kFirstLevelParameter) {
        return parameter;
    }
    if (parameter < kFirstLevelParameter + kLevels) {
        return parameter - kFirstLevelParameter + kFirstLevelWord;
    }
    return std::nullopt;
}

} // namespace

void ProcessorSimulator::ApplyRealTime(const RealTimeMessage& message) {
    if (!protocol::IsMemory(running_) || message.body.size() < 5) {
        return;
    }
    std::vector<std::uint8_t>& memory = memories_[static_cast<std::size_t>(running_ - 1)];
    const unsigned parameter = message.body[0] * 256u + message.body[1];
    // Kind 0 carries five words from its first parameter, kinds 1 and 2 one word.
    const std::size_t words = message.kind == 0 ? 5 : 1;
    for (std::size_t k = 0; k < words; ++k) {
        const auto word = WordOfParameter(static_cast<unsigned>(parameter + k));
        const std::size_t from = 2 + kWordBytes * k;
        if (!word || *word >= kProcessorBlockWords || from + kWordBytes > message.body.size()) {
            return;
        }
        const std::size_t offset = kProcessorBlock1Offset + kWordBytes * *word;
        if (offset + kWordBytes > memory.size()) {
            return;
        }
        std::copy_n(message.body.begin() + static_cast<std::ptrdiff_t>(from), kWordBytes,
                    memory.begin() + static_cast<std::ptrdiff_t>(offset));
    }
}

} // namespace veld23::link
