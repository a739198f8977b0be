#pragma once

#include <array>
#include <cstdint>

namespace veld23 {

// The 10-byte extended real of the configuration file: 64-bit mantissa with an
// explicit integer bit, 15-bit biased exponent and a sign, little-endian. Built
// bit by bit so that the file reads the same on machines whose long double is
// not the x87 format.
using Ext80Bytes = std::array<std::uint8_t, 10>;

Ext80Bytes EncodeExt80(long double value);
// Any bit pattern decodes to a value (infinities and NaN included); callers that
// load untrusted files hold the result to their own ranges.
long double DecodeExt80(const Ext80Bytes& bytes);

} // namespace veld23
