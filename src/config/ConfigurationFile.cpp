#include "config/ConfigurationFile.h"

#include "config/AtomicFile.h"
#include "config/ConfigurationFileContent.h"
#include "config/ConfigurationFileRestore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace veld23 {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProduct = "VELD23";
constexpr std::string_view kNotA = " is not a ";
constexpr std::string_view kCurrentVersion = "1.2.8.0";

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

Result<std::vector<std::uint8_t>> ReadFailure(const std::string& path, const std::string& reason) {
    return Result<std::vector<std::uint8_t>>::Failure("Could not open " + path + ": " + reason +
                                                      ".");
}

// Write permission is what a read-only file lacks. Renaming over the file would replace
// it all the same, so the save checks first and leaves it alone.
bool IsReadOnlyFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) {
        return false;
    }
    const fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

} // namespace

std::string WrongSizeMessage(std::string_view fullPath) {
    return Joined({fullPath, kNotA, kProduct, " File"});
}

std::string OlderVersionMessage(std::string_view fullPath) {
    return Joined({fullPath, kNotA, kProduct,
                   " File or is an older version (then re-save the file to translate it to "
                   "VERSION ",
                   kCurrentVersion});
}

std::string WrongMagicMessage(std::string_view fullPath) {
    return Joined({fullPath, kNotA, kProduct, "File"});
}

std::string FullPathOf(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

Result<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t limit) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!ec && fs::is_directory(status)) {
        return ReadFailure(path, "it is a folder");
    }
    // A pipe or a device could block or never end; only plain files are read.
    if (!ec && !fs::is_regular_file(status)) {
        return ReadFailure(path, "it is not a plain file");
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return ReadFailure(path, std::strerror(errno));
    }
    std::vector<std::uint8_t> bytes(limit + 1);
    const std::size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        return ReadFailure(path, std::strerror(error));
    }
    bytes.resize(count);
    return bytes;
}

ConfigurationOpenResult OpenConfigurationBytes(ProcessorConfiguration& config,
                                               std::span<const std::uint8_t> bytes,
                                               std::string_view fullPath, RealTimeSender& sender,
                                               LoadedConfigurationSteps& steps,
                                               ConfigurationFileMessages& messages) {
    if (!IsConfigurationFileSize(bytes.size())) {
        messages.ShowError(WrongSizeMessage(fullPath));
        return ConfigurationOpenResult::Refused;
    }
    const bool older = bytes.size() < kConfigurationFileSize;
    if (older) {
        messages.ShowWarning(OlderVersionMessage(fullPath));
    }
    // Checked after the size, as always: an older file with a wrong magic shows the
    // warning first and is then refused.
    if (!HasConfigurationMagic(bytes)) {
        messages.ShowError(WrongMagicMessage(fullPath));
        return ConfigurationOpenResult::Refused;
    }
    RestoreConfiguration(config, DecodeConfigurationRecord(bytes), sender, steps);
    return older ? ConfigurationOpenResult::OpenedOlderVersion : ConfigurationOpenResult::Opened;
}

ConfigurationOpenResult OpenConfigurationFile(ProcessorConfiguration& config,
                                              const std::string& path, RealTimeSender& sender,
                                              LoadedConfigurationSteps& steps,
                                              ConfigurationFileMessages& messages) {
    const std::string fullPath = FullPathOf(path);
    const Result<std::vector<std::uint8_t>> file = ReadFileBytes(fullPath, kConfigurationFileSize);
    if (!file) {
        messages.ShowError(file.Message());
        return ConfigurationOpenResult::Refused;
    }
    return OpenConfigurationBytes(config, file.Value(), fullPath, sender, steps, messages);
}

ConfigurationRecord BuildConfigurationRecord(const ProcessorConfiguration& config,
                                             std::string_view fullPath) {
    return EncodeConfigurationRecord(CaptureConfiguration(config), fullPath);
}

Result<> SaveWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (IsReadOnlyFile(path)) {
        return Result<>::Failure("Could not save " + path +
                                 ": the file is read-only. The previous file is unchanged.");
    }
    return WriteFileAtomically(path, bytes);
}

Result<> SaveConfigurationFile(const ProcessorConfiguration& config, const std::string& path) {
    const std::string fullPath = FullPathOf(path);
    return SaveWholeFile(fullPath, BuildConfigurationRecord(config, fullPath));
}

} // namespace veld23
