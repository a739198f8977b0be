#pragma once

#include "config/Result.h"

#include <span>
#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// One text file of an export: its name inside the target folder and its content.
struct ExportFile {
    std::string name;
    std::string text;
};

// Writes the text as a configuration file is written: whole or not at all. A failure's
// message for the user names the file.
Result<> WriteExportFile(const std::string& path, std::string_view text);

// Writes every file into the folder, each whole or not at all, and stops at the first
// that fails (the ones before it are complete). The folder must exist.
Result<> WriteExportFiles(const std::string& folder, std::span<const ExportFile> files);

// Who an export is from, for its comment header: the preset name, where it came from
// (a file path; empty when the caller has none) and the topology, on one line of UTF-8.
std::string DescribeConfiguration(const ProcessorConfiguration& config, std::string_view origin);

} // namespace veld23
