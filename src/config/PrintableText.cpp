#include "config/PrintableText.h"

#include <cstdint>

namespace veld23 {

namespace {

// Characters that steer the text instead of being part of it: C1 controls, the line and
// paragraph separators, and the direction marks, embeddings, overrides and isolates that
// can make a name read backwards.
bool IsControlCodePoint(std::uint32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x200E || c == 0x200F || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Length of the well-formed, printable UTF-8 character at the start of text; 0 when
// there is none (a malformed, overlong, surrogate or cut-short sequence, or a control).
std::size_t PrintableCharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    std::uint32_t c = 0;
    std::uint32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1Fu;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0Fu;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07u;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0u) != 0x80u) {
            return 0;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (c < lowest || c > 0x10FFFF || surrogate || IsControlCodePoint(c)) {
        return 0;
    }
    return length;
}

} // namespace

std::string PrintableText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += static_cast<char>(byte);
            ++i;
            continue;
        }
        if (const std::size_t length = PrintableCharacterLength(text.substr(i)); length > 0) {
            shown.append(text.substr(i, length));
            i += length;
            continue;
        }
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 0x0Fu];
        ++i;
    }
    return shown;
}

} // namespace veld23
