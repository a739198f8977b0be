#include "measure/ExportFiles.h"

#include "config/AtomicFile.h"
#include "config/ProcessorConfiguration.h"
#include "config/Windows1252.h"

#include <cstdint>
#include <filesystem>

namespace veld23 {

namespace {

// A comment header is one line per entry: line breaks and other control characters
// inside a name would end the comment and start a line of data.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return text;
}

} // namespace

Result<> WriteExportFile(const std::string& path, std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return WriteFileAtomically(path, {bytes, text.size()});
}

Result<> WriteExportFiles(const std::string& folder, std::span<const ExportFile> files) {
    for (const ExportFile& file : files) {
        const std::string path = (std::filesystem::path(folder) / file.name).string();
        Result<> written = WriteExportFile(path, file.text);
        if (!written) {
            return written;
        }
    }
    return Result<>::Success();
}

std::string DescribeConfiguration(const ProcessorConfiguration& config, std::string_view origin) {
    std::string text =
        "configuration \"" + Windows1252ToUtf8(config.SystemInformation.SystemName.View()) + "\"";
    if (!origin.empty()) {
        text += " from " + std::string(origin);
    }
    text += config.Topology == OutputTopology::ThreeOutputs ? ", three outputs" : ", two outputs";
    return OneLine(std::move(text));
}

} // namespace veld23
