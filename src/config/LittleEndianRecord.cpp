#include "config/LittleEndianRecord.h"

#include <algorithm>
#include <bit>

namespace veld23 {

void LittleEndianRecord::PutUnsigned(std::size_t offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        PutByte(offset + i, static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint64_t LittleEndianRecord::Unsigned(std::size_t offset, int size) const {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | Byte(offset + i);
    }
    return value;
}

void LittleEndianRecord::PutByte(std::size_t offset, std::uint8_t value) {
    if (offset < bytes_.size()) {
        bytes_[offset] = value;
    }
}

void LittleEndianRecord::PutInt32(std::size_t offset, std::int32_t value) {
    PutUnsigned(offset, static_cast<std::uint32_t>(value), 4);
}

void LittleEndianRecord::PutFloat32(std::size_t offset, float value) {
    PutUnsigned(offset, std::bit_cast<std::uint32_t>(value), 4);
}

void LittleEndianRecord::PutDouble(std::size_t offset, double value) {
    PutUnsigned(offset, std::bit_cast<std::uint64_t>(value), 8);
}

void LittleEndianRecord::PutExt80(std::size_t offset, long double value) {
    const Ext80Bytes b = EncodeExt80(value);
    for (std::size_t i = 0; i < b.size(); ++i) {
        PutByte(offset + i, b[i]);
    }
}

void LittleEndianRecord::PutString(std::size_t offset, std::size_t capacity,
                                   std::string_view text) {
    const std::size_t length = std::min({text.size(), capacity, std::size_t{255}});
    PutByte(offset, static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < capacity; ++i) {
        PutByte(offset + 1 + i, i < length ? static_cast<std::uint8_t>(text[i]) : 0);
    }
}

std::uint8_t LittleEndianRecord::Byte(std::size_t offset) const {
    return offset < bytes_.size() ? bytes_[offset] : 0;
}

std::int32_t LittleEndianRecord::Int32(std::size_t offset) const {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Unsigned(offset, 4)));
}

float LittleEndianRecord::Float32(std::size_t offset) const {
    return std::bit_cast<float>(static_cast<std::uint32_t>(Unsigned(offset, 4)));
}

double LittleEndianRecord::Double(std::size_t offset) const {
    return std::bit_cast<double>(Unsigned(offset, 8));
}

long double LittleEndianRecord::Ext80(std::size_t offset) const {
    Ext80Bytes b{};
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] = Byte(offset + i);
    }
    return DecodeExt80(b);
}

std::string LittleEndianRecord::String(std::size_t offset, std::size_t capacity) const {
    const std::size_t length = std::min<std::size_t>(Byte(offset), capacity);
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(Byte(offset + 1 + i));
    }
    return text;
}

} // namespace veld23
