#pragma once

#include <array>
#include <cstdint>

namespace veld23 {

// The only conversions between editor values and processor words. Device words
// are big-endian.

using Coef22Bytes = std::array<std::uint8_t, 3>;

// A real as a 22-bit two's complement word with 20 fraction bits, truncated toward
// zero. Values outside -2 .. 2-2^-20 wrap, so producers keep inside the range.
Coef22Bytes EncodeCoef22(long double value);
// What the processor will hold after EncodeCoef22: the truncated value.
double Coef22DeviceValue(long double value);
double DecodeCoef22(std::uint8_t byte1, std::uint8_t byte2, std::uint8_t byte3);
double DecodeCoef22(const Coef22Bytes& bytes);

// An unsigned 16-bit integer in a 24-bit word: 0, high byte, low byte.
Coef22Bytes EncodeWord16in24(std::uint32_t value);
std::uint16_t DecodeWord16in24(const Coef22Bytes& bytes);

// Front-panel codes: nearest integer with halves to even, then the low bits.
long PanelCode(long double value);
std::uint8_t PanelByte(long double value);
std::array<std::uint8_t, 2> PanelWord(long double value);
std::uint16_t DecodePanelWord(std::uint8_t high, std::uint8_t low);

// Writing a flag: only 1 is true. Reading one back: anything but 0 is true.
std::uint8_t StrictBoolean(std::uint8_t stored);
bool LenientBoolean(std::uint8_t byte);

} // namespace veld23
