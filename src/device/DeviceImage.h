#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace veld23 {

class ProcessorConfiguration;

// One processor memory ("DATA_MDAC") as the processor stores it: a header with the
// flags and texts, two processor blocks of 258 three-byte words with the same word
// addressing, the panel block (two copies of the front panel's codes) and filler.
inline constexpr std::size_t kDeviceImageSize = 2047;
using DeviceImage = std::array<std::uint8_t, kDeviceImageSize>;

// Where the parts lie in the image.
inline constexpr std::size_t kImageHeaderSize = 100;
inline constexpr std::size_t kProcessorBlockWords = 258;
inline constexpr std::size_t kProcessorBlockSize = 3 * kProcessorBlockWords; // 774
inline constexpr std::size_t kProcessorBlock1Offset = kImageHeaderSize;      // 100
inline constexpr std::size_t kProcessorBlock2Offset =
    kProcessorBlock1Offset + kProcessorBlockSize; // 874
inline constexpr std::size_t kPanelRecordSize = 177;
inline constexpr std::size_t kPanelBlockOffset =
    kProcessorBlock2Offset + kProcessorBlockSize;                                      // 1648
inline constexpr std::size_t kPanelCopy2Offset = kPanelBlockOffset + kPanelRecordSize; // 1825
inline constexpr std::size_t kPanelBlockSize = 2 * kPanelRecordSize;                   // 354
inline constexpr std::size_t kImageFillerOffset = kPanelBlockOffset + kPanelBlockSize; // 2002
inline constexpr std::uint8_t kImageFillerByte = 13;

// Header bytes.
inline constexpr std::size_t kImageVersionOffset = 2;
inline constexpr std::size_t kImageTopologyOffset = 4;
// Images older than this carry no noise-gate fields.
inline constexpr std::uint8_t kImageFormatVersion = 104; // 'h'

// Everything a reader needs: the header, processor block 1 and panel copy 1.
inline constexpr std::size_t kDeviceImageReadSize = kPanelCopy2Offset; // 1825

// Packs the configuration into an image, byte for byte as the processor expects
// it. Reads the designed coefficients and the design parameters as they are; it
// designs nothing and changes nothing. Every output's crossover takes exactly two
// section slots whatever its orders, so the blocks and the panel always sit at
// their offsets.
DeviceImage BuildDeviceImage(const ProcessorConfiguration& config);

// The processor's filter code of a section type, and back. Types without a code
// write 0; codes 14 and above stand for no type.
std::uint8_t PeqTypeCode(std::uint8_t sectionType);
std::optional<std::uint8_t> SectionTypeFromPeqCode(std::uint8_t code);

} // namespace veld23
