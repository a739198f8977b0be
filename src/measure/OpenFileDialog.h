#pragma once

#include <optional>
#include <string>

namespace veld23 {

// The platform's open-file dialog. The filter is "caption|pattern|caption|pattern...",
// patterns separated by ';' where one entry offers several.
class OpenFileDialog {
  public:
    virtual ~OpenFileDialog() = default;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& title,
                                                        const std::string& filter) = 0;
};

} // namespace veld23
