#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace veld23::testing {

// A fresh directory for the files a test writes; removed with everything in it.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veld23-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of a file in the directory, whether or not it exists.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes the bytes as given (line ends included) and returns the file's path.
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
        return File(name);
    }

  private:
    std::filesystem::path path_;
};

} // namespace veld23::testing
