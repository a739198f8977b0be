#pragma once

#include <cstddef>
#include <cstdint>

// The fixed bytes of the dialogue with the processor, shared by the editor's
// side and the simulated processor.
namespace veld23::link::protocol {

inline constexpr std::uint8_t kStart = 0x80; // also BEGIN of a memory coming back
inline constexpr std::uint8_t kEnd = 0x55;
inline constexpr std::uint8_t kProtected = 0xFF; // the answer to a protected memory's number
inline constexpr std::size_t kBlockSize = 64;    // data bytes per acknowledgement

// Command codes.
inline constexpr std::uint8_t kLinkCheck = 0;
inline constexpr std::uint8_t kWriteMemory = 3;
inline constexpr std::uint8_t kReadMemory = 4;
inline constexpr std::uint8_t kKeyboard = 5;
inline constexpr std::uint8_t kPassword = 6;
inline constexpr std::uint8_t kLoadMemory = 7;
inline constexpr std::uint8_t kRealTime = 0x12;
inline constexpr std::uint8_t kQueryProgram = 0x13;

inline constexpr int kMemories = 8;
inline constexpr bool IsMemory(int memory) {
    return memory >= 1 && memory <= kMemories;
}

} // namespace veld23::link::protocol
