#include "ui/QtText.h"

#include "config/Windows1252.h"

namespace veld23 {

QString FromWindows1252(std::string_view bytes) {
    const std::string utf8 = Windows1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToWindows1252(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToWindows1252Replacing(std::string_view(utf8.constData(), utf8.size()));
}

} // namespace veld23
