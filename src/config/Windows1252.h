#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veld23 {

// The processor, its images and the configuration files carry 8-bit Windows-1252
// text; the user interface and JSON speak UTF-8. These are the only two crossings.

// Every byte has a character (the five unassigned ones keep their C1 code point),
// so any text read from a file can be shown and written back unchanged.
std::string Windows1252ToUtf8(std::string_view bytes);

// Empty when the text is not valid UTF-8 or holds a character Windows-1252 lacks.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// For text typed into a window: each character the code page lacks (and each
// malformed byte) becomes '?', so typing never fails.
std::string Utf8ToWindows1252Replacing(std::string_view utf8);

} // namespace veld23
