#pragma once

#include "config/ConfigurationFileContent.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace veld23 {

// The configuration file is one fixed-size little-endian record. Two older versions
// end early: the shortest has neither noise-gate fields nor equaliser coefficients,
// the next one adds gate fields that are not trusted either.
inline constexpr std::size_t kConfigurationFileSize = 2228;
inline constexpr std::size_t kOlderConfigurationFileSize = 1512;
inline constexpr std::size_t kOlderGateConfigurationFileSize = 1528;
using ConfigurationRecord = std::array<std::uint8_t, kConfigurationFileSize>;

inline constexpr std::string_view kConfigurationMagic = "VELD13F";
inline constexpr std::string_view kConfigurationFormatText = "1.2.";
// The header names the program; the file's full path follows it directly.
inline constexpr std::string_view kConfigurationHeaderText = "Tessaline Sound Works VELD231.2.8.0";
inline constexpr std::size_t kConfigurationHeaderOffset = 15;
inline constexpr std::size_t kConfigurationHeaderCapacity = 100;

// What an older file gets for the fields it lacks.
inline constexpr float kOlderFileGateIndex = 13.0f;
inline constexpr float kOlderFileRampLength = 4.0f;

// One of the three sizes a configuration file can have.
bool IsConfigurationFileSize(std::size_t size);

// The magic at the start: a length byte of 7 and "VELD13F".
bool HasConfigurationMagic(std::span<const std::uint8_t> bytes);

// The record for the content, every field at its offset and every reserved byte 0.
// Reals that the file keeps as integers are rounded to nearest, halves to even; values
// beyond what a field can hold land on its nearest end rather than wrapping.
ConfigurationRecord EncodeConfigurationRecord(const ConfigurationFileContent& content,
                                              std::string_view fullPath);

// The fields of a record as they are, unchecked. A shorter (older) record gets the
// older-file values for everything from its gate fields on; its own gate fields are
// never read. Bytes beyond the record are ignored.
ConfigurationFileContent DecodeConfigurationRecord(std::span<const std::uint8_t> bytes);

} // namespace veld23
