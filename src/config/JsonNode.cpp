#include "config/JsonNode.h"

#include "config/ConfigurationFileContent.h"
#include "config/StrictJson.h"
#include "config/Windows1252.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace veld23 {

std::string JsonNumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

void JsonNode::Object(std::initializer_list<std::string_view> keys) const {
    if (!value_.is_object()) {
        Fail("expected an object");
    }
    for (const auto& member : value_.items()) {
        bool known = false;
        for (std::string_view key : keys) {
            known = known || member.key() == key;
        }
        if (!known) {
            throw BadJsonKey{PointerStep(path_, member.key()), "is not a stored field"};
        }
    }
}

JsonNode JsonNode::operator[](std::string_view key) const {
    const std::string path = PointerStep(path_, key);
    const auto found = value_.find(std::string(key));
    if (found == value_.end()) {
        throw BadJsonKey{path, "is missing"};
    }
    return JsonNode(*found, path);
}

void JsonNode::Array(std::size_t size) const {
    if (!value_.is_array()) {
        Fail("expected an array");
    }
    if (value_.size() != size) {
        Fail("expected " + std::to_string(size) + " elements, found " +
             std::to_string(value_.size()));
    }
}

JsonNode JsonNode::At(std::size_t index) const {
    return JsonNode(value_.at(index), path_ + "/" + std::to_string(index));
}

double JsonNode::Real(double lo, double hi) const {
    if (!value_.is_number()) {
        Fail("expected a number");
    }
    const double v = value_.get<double>();
    if (!(v >= lo && v <= hi)) {
        Fail(JsonNumberText(v) + " is outside " + JsonNumberText(lo) + " to " + JsonNumberText(hi));
    }
    return v;
}

float JsonNode::Single(long double lo, long double hi) const {
    if (!value_.is_number()) {
        Fail("expected a number");
    }
    const double v = value_.get<double>();
    const float f = StoredFloat(v);
    if (!(std::fabs(v) <= std::numeric_limits<float>::max() && f >= StoredFloat(lo) &&
          f <= StoredFloat(hi))) {
        Fail(JsonNumberText(v) + " is outside " + JsonNumberText(static_cast<double>(lo)) + " to " +
             JsonNumberText(static_cast<double>(hi)));
    }
    return f;
}

std::int32_t JsonNode::Integer(std::int64_t lo, std::int64_t hi) const {
    if (!value_.is_number_integer()) {
        Fail("expected a whole number");
    }
    const bool tooLarge = value_.is_number_unsigned() &&
                          value_.get<std::uint64_t>() >
                              static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::int64_t v =
        tooLarge ? std::numeric_limits<std::int64_t>::max() : value_.get<std::int64_t>();
    if (tooLarge || v < lo || v > hi) {
        Fail(value_.dump() + " is outside " + std::to_string(lo) + " to " + std::to_string(hi));
    }
    return static_cast<std::int32_t>(v);
}

bool JsonNode::Boolean() const {
    if (!value_.is_boolean()) {
        Fail("expected true or false");
    }
    return value_.get<bool>();
}

std::string JsonNode::Text(std::size_t capacity) const {
    if (!value_.is_string()) {
        Fail("expected a text");
    }
    const std::optional<std::string> bytes = Utf8ToWindows1252(value_.get<std::string>());
    if (!bytes) {
        Fail("holds a character that Windows-1252 has no code for");
    }
    if (bytes->size() > capacity) {
        Fail("is " + std::to_string(bytes->size()) + " characters long; at most " +
             std::to_string(capacity) + " fit");
    }
    return *bytes;
}

std::string JsonNode::Name() const {
    if (!value_.is_string()) {
        Fail("expected a text");
    }
    return value_.get<std::string>();
}

} // namespace veld23
