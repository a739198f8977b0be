#include "ui/QtText.h"

#include "config/Windows1252.h"

namespace veld23 {

QString FromWindows1252(std::string_view bytes) {
    return FromUtf8(Windows1252ToUtf8(bytes));
}

std::string ToWindows1252(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToWindows1252Replacing(std::string_view(utf8.constData(), utf8.size()));
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace veld23
