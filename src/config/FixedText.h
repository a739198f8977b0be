#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace veld23 {

// A text of at most Capacity bytes, stored in place. Texts in the configuration,
// the configuration file and the processor's memory are single-byte Windows-1252,
// so a byte is a character and cutting at the capacity never splits one; the
// windows convert at their edge (Windows1252.h).
template <std::size_t Capacity> class FixedText {
  public:
    static constexpr std::size_t kCapacity = Capacity;

    constexpr FixedText() = default;
    explicit constexpr FixedText(std::string_view bytes) { Assign(bytes); }

    // Keeps the first Capacity bytes. Returns false when something was cut off, so
    // a loader can tell a clean text from one that did not fit.
    constexpr bool Assign(std::string_view bytes) {
        const std::size_t kept = bytes.size() < Capacity ? bytes.size() : Capacity;
        for (std::size_t i = 0; i < kept; ++i) {
            bytes_[i] = bytes[i];
        }
        length_ = kept;
        return kept == bytes.size();
    }

    constexpr void Clear() { length_ = 0; }

    constexpr std::string_view View() const { return {bytes_.data(), length_}; }
    constexpr std::size_t Length() const { return length_; }
    constexpr bool Empty() const { return length_ == 0; }

    // The text followed by blanks up to the capacity, as fixed-width fields of the
    // processor's memory carry it.
    constexpr std::array<char, Capacity> PaddedWithBlanks() const {
        std::array<char, Capacity> padded{};
        for (std::size_t i = 0; i < Capacity; ++i) {
            padded[i] = i < length_ ? bytes_[i] : ' ';
        }
        return padded;
    }

    friend constexpr bool operator==(const FixedText& a, const FixedText& b) {
        return a.View() == b.View();
    }
    friend constexpr bool operator==(const FixedText& a, std::string_view b) {
        return a.View() == b;
    }

  private:
    std::array<char, Capacity> bytes_{};
    std::size_t length_ = 0;
};

} // namespace veld23
