#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace veld23 {

// The model keeps its texts as Windows-1252 bytes; Qt speaks UTF-16. Every window crosses
// between the two here and nowhere else.

QString FromWindows1252(std::string_view bytes);
// Characters the code page lacks become '?', so whatever the user types can be stored.
std::string ToWindows1252(const QString& text);

// Everything else the core hands over or takes as text (field texts, messages, file
// paths, captions it composes) is UTF-8.
QString FromUtf8(std::string_view text);
std::string ToUtf8(const QString& text);

} // namespace veld23
