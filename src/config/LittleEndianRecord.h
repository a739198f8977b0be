#pragma once

#include "config/Ext80.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace veld23 {

// Field access at fixed offsets of a little-endian binary record (the
// configuration file). Reads and writes outside the record are ignored / read as
// zero, so a wrong offset can never touch memory beyond it.
class LittleEndianRecord {
  public:
    explicit LittleEndianRecord(std::span<std::uint8_t> bytes) : bytes_(bytes) {}

    void PutByte(std::size_t offset, std::uint8_t value);
    void PutInt32(std::size_t offset, std::int32_t value);
    void PutFloat32(std::size_t offset, float value);
    void PutDouble(std::size_t offset, double value);
    void PutExt80(std::size_t offset, long double value);
    // A length byte and `capacity` character bytes; longer text is cut, the rest is zero.
    void PutString(std::size_t offset, std::size_t capacity, std::string_view text);

    std::uint8_t Byte(std::size_t offset) const;
    std::int32_t Int32(std::size_t offset) const;
    float Float32(std::size_t offset) const;
    double Double(std::size_t offset) const;
    long double Ext80(std::size_t offset) const;
    // The length byte is held to the capacity: a damaged file can't make the text
    // reach into the next field.
    std::string String(std::size_t offset, std::size_t capacity) const;

  private:
    void PutUnsigned(std::size_t offset, std::uint64_t value, int size);
    std::uint64_t Unsigned(std::size_t offset, int size) const;

    std::span<std::uint8_t> bytes_;
};

} // namespace veld23
