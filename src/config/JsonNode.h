#pragma once

#include "config/FixedText.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace veld23 {

// The first bad key ends the reading of a configuration's JSON; it travels up as an
// exception so that every field reads as one plain line.
struct BadJsonKey {
    std::string path; // JSON pointer; empty for the top level
    std::string reason;
};

// A number as messages show it: up to fifteen significant digits.
std::string JsonNumberText(double value);

// One JSON value of a configuration and where it sits. Every accessor checks the type
// and the range and throws BadJsonKey naming this place when they are wrong.
class JsonNode {
  public:
    using Json = nlohmann::ordered_json;

    JsonNode(const Json& value, std::string path) : value_(value), path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    [[noreturn]] void Fail(std::string reason) const { throw BadJsonKey{path_, std::move(reason)}; }

    // An object with exactly these keys; a key that is not one of them is refused, so a
    // misspelt name cannot silently leave a field at its default.
    void Object(std::initializer_list<std::string_view> keys) const;
    JsonNode operator[](std::string_view key) const;

    // An array of exactly `size` elements.
    void Array(std::size_t size) const;
    JsonNode At(std::size_t index) const;

    double Real(double lo, double hi) const;
    // A real the file keeps in single precision: the range is checked on the float the
    // file would hold, so a limit that a float cannot hold exactly still lets through
    // the float nearest to it.
    float Single(long double lo, long double hi) const;
    std::int32_t Integer(std::int64_t lo, std::int64_t hi) const;
    bool Boolean() const;
    // UTF-8 in JSON, Windows-1252 bytes in the model: one byte per character.
    std::string Text(std::size_t capacity) const;
    template <std::size_t N> void Text(FixedText<N>& text) const { text.Assign(Text(N)); }
    // Any text, for names checked by the caller.
    std::string Name() const;

  private:
    const Json& value_;
    std::string path_;
};

} // namespace veld23
