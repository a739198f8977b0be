#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace veld23::dynamics {

// Where each record's device values go: the word index in the processor block of
// the device image, which is also the real-time parameter number.
struct DeviceAddresses {
    std::uint16_t tableFirst; // Tabla[0]; Tabla[k] at tableFirst + k
    std::uint16_t rmsCoef;    // sent as a value message of kind 1
    std::uint16_t outGain;    // value message of kind 2
    // Only record 1's look-ahead reaches the processor.
    std::optional<std::uint16_t> lookAheadSamples;
    std::uint16_t holdSamples;
    std::uint16_t decayCode;
};

inline constexpr DeviceAddresses kRecord1Addresses{110, 143, 144, 181, 191, 193};
inline constexpr DeviceAddresses kRecord2Addresses{145, 178, 179, std::nullopt, 192, 194};

// record is 1 or 2; anything but 2 is taken as record 1.
constexpr const DeviceAddresses& AddressesOf(int record) {
    return record == 2 ? kRecord2Addresses : kRecord1Addresses;
}

inline constexpr std::uint8_t kRmsCoefMessageKind = 1;
inline constexpr std::uint8_t kValueMessageKind = 2;

// A table update goes out as Tabla[0..2] one value each, then Tabla[3..32] as six
// messages of five consecutive values starting at these table offsets.
inline constexpr int kTableSingleValues = 3;
inline constexpr int kTableBlockLength = 5;
inline constexpr std::array<int, 6> kTableBlockOffsets{3, 8, 13, 18, 23, 28};

// The noise-gate list: item 0 turns the gate off (index 1), items 1..7 are gate
// levels with indices 10..16.
inline constexpr std::array<std::string_view, 8> kGateListItems{
    "Bypass", "1 (Low Noise)", "2", "3", "4", "5", "6", "7 (High Noise)"};
inline constexpr float kGateOffIndex = 1.0f;
inline constexpr int kGateLevelBase = 9; // index = 9 + item

// Item 0..7 to GateIndex; items outside the list give the gate off.
constexpr float GateIndexFromItem(int item) {
    return item >= 1 && item <= 7 ? static_cast<float>(kGateLevelBase + item) : kGateOffIndex;
}

// GateIndex to the list item that shows it; an index the list cannot show (one
// typed into the hidden gate field, say 20) selects no item.
std::optional<int> GateItemFromIndex(float gateIndex);

// Level display: records hold dBFS; the editor shows dBu = dBFS + 29.5 - LevelOffset.
// LevelOffset is a property of the configuration, not of the record: record 1's is
// 6 dB in the three-output topology and 0 dB in the two-output one, record 2's is
// always 6 dB. Callers pass the value the topology set.
inline constexpr double kDbuAtFullScale = 29.5;
inline constexpr double kLevelOffsetThreeOutputs = 6.0;
inline constexpr double kLevelOffsetTwoOutputs = 0.0;
inline constexpr double kLevelOffsetRecord2 = 6.0;

constexpr double DbfsToDisplayDbu(double dbfs, double levelOffset) {
    return dbfs + kDbuAtFullScale - levelOffset;
}
constexpr double DisplayDbuToDbfs(double dbu, double levelOffset) {
    return dbu - kDbuAtFullScale + levelOffset;
}
// The offset that applies to a record, given record 1's offset from the topology.
constexpr double LevelOffsetOf(int record, double record1LevelOffset) {
    return record == 2 ? kLevelOffsetRecord2 : record1LevelOffset;
}

} // namespace veld23::dynamics
