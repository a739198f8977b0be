#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace veld23::commands {

// One entry of a file dialog's type list: "VELD23 Files *.v23" for "*.v23".
struct FileDialogFilter {
    std::string caption;
    std::string pattern;
};

// Everything a file dialog is opened with. A name typed without an extension gets
// the extension of the type chosen in the list, or the default one when that type
// names no single extension (several, or all files).
struct FileDialogRequest {
    std::string title;
    std::vector<FileDialogFilter> filters;
    std::string defaultExtension;
    // The name the dialog starts with (empty: none).
    std::string fileName;

    std::string ExtensionFor(std::size_t filter) const {
        const std::string& pattern = filter < filters.size() ? filters[filter].pattern : "";
        const bool single = pattern.size() > 2 && pattern.rfind("*.", 0) == 0 &&
                            pattern.find_first_of("*? ", 2) == std::string::npos;
        return single ? pattern.substr(2) : defaultExtension;
    }
};

// The platform's open and save dialogs for configuration files. The windows show the
// real dialogs; tests answer with a path or nothing.
class ConfigurationFileDialogs {
  public:
    virtual ~ConfigurationFileDialogs() = default;

    // A file that exists, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    // The file to write; the dialog has already asked before replacing one that
    // exists. Nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;
};

} // namespace veld23::commands
