#pragma once

#include "config/ConfigurationFileRecord.h"
#include "config/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veld23 {

class LoadedConfigurationSteps;
class ProcessorConfiguration;
class RealTimeSender;

// Where opening a configuration file tells the user what it found. The window shows
// message boxes with one OK button; the command-line tool writes to stderr; tests
// record the texts.
class ConfigurationFileMessages {
  public:
    virtual ~ConfigurationFileMessages() = default;
    // An error box: the file is not opened and the configuration is left as it was.
    virtual void ShowError(const std::string& text) = 0;
    // A warning box: opening goes on.
    virtual void ShowWarning(const std::string& text) = 0;
};

// The user's texts, each starting with the file's full path.
std::string WrongSizeMessage(std::string_view fullPath);
std::string OlderVersionMessage(std::string_view fullPath);
std::string WrongMagicMessage(std::string_view fullPath);

// The path as the file's full path: absolute and without "." or ".." steps. The
// header text and every message carry it.
std::string FullPathOf(const std::string& path);

// A whole file read into memory, at most limit + 1 bytes of it (enough to tell that a
// file is longer than anything acceptable). A folder, a missing or an unreadable file
// fails with a message that names the file and the reason.
Result<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t limit);

enum class ConfigurationOpenResult {
    Opened,
    OpenedOlderVersion, // opened after the older-version warning
    Refused,            // not opened; the configuration is exactly as it was
};

// Opens a configuration file into the configuration, which the caller has reset to a
// new one. A file that cannot be read, or whose size or magic is wrong, is refused
// with an error message before anything changes. A file of an older, shorter version
// gets the older-version warning and opens with defaults for what it lacks. Then
// RestoreConfiguration (ConfigurationFileRestore.h) runs; the sender receives what the
// topology and route commands send in Real Time mode.
[[nodiscard]] ConfigurationOpenResult OpenConfigurationFile(ProcessorConfiguration& config,
                                                            const std::string& path,
                                                            RealTimeSender& sender,
                                                            LoadedConfigurationSteps& steps,
                                                            ConfigurationFileMessages& messages);

// The same for a file's bytes already in memory; fullPath is only used in messages.
[[nodiscard]] ConfigurationOpenResult
OpenConfigurationBytes(ProcessorConfiguration& config, std::span<const std::uint8_t> bytes,
                       std::string_view fullPath, RealTimeSender& sender,
                       LoadedConfigurationSteps& steps, ConfigurationFileMessages& messages);

// The record a save writes for the configuration at that full path.
ConfigurationRecord BuildConfigurationRecord(const ProcessorConfiguration& config,
                                             std::string_view fullPath);

// Writes bytes as the whole file, created or replaced, the way every save does: beside
// the target and renamed over it, and never over a read-only file. A failure's message
// names the file, the reason, and that the previous file is unchanged.
Result<> SaveWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Writes the whole record as the file, created or replaced. The file is written beside
// the target and renamed over it, so a save that fails for any reason (a missing or
// full folder, no permission, a read-only file) leaves the previous file untouched.
// Saving an opened older file writes the full current record.
Result<> SaveConfigurationFile(const ProcessorConfiguration& config, const std::string& path);

} // namespace veld23
