#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace veld23 {

// A JSON pointer one step below parent: "~" and "/" inside the key are escaped as the
// pointer syntax asks.
std::string PointerStep(const std::string& parent, std::string_view key);

// A JSON text read for a configuration, which is a document of known, shallow shape.
// Anything nesting more than `deepestNesting` objects and arrays is refused where the
// first too-deep one starts (the parser would otherwise follow a hostile text's 100 000
// nested arrays until the stack runs out), and so is a key that appears twice in one
// object (it would otherwise silently take the last value). The message names the
// place by its JSON pointer, or the line and column of a syntax error.
struct [[nodiscard]] StrictJsonResult {
    bool parsed = false;
    nlohmann::ordered_json document;
    std::string message;
};
StrictJsonResult ParseStrictJson(std::string_view text, std::size_t deepestNesting);

} // namespace veld23
