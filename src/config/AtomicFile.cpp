#include "config/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define VELD23_HAVE_FSYNC 1
#endif

namespace veld23 {

namespace {

std::string Failure(const std::string& path, const std::string& reason) {
    return "Could not save " + path + ": " + reason + ". The previous file is unchanged.";
}

std::string TemporaryName(const std::string& path) {
    std::random_device random;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    return path + suffix;
}

} // namespace

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> content) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return Failure(path, "it is a folder");
    }
    const std::string temporary = TemporaryName(path);
    // "x": never reuse a file someone else created under that name.
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr) {
        return Failure(path, std::strerror(errno));
    }
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    int error = ok ? 0 : errno;
    if (ok && std::fflush(file) != 0) {
        ok = false;
        error = errno;
    }
#ifdef VELD23_HAVE_FSYNC
    // The data must be on the disk before the rename makes it the file.
    if (ok && fsync(fileno(file)) != 0) {
        ok = false;
        error = errno;
    }
#endif
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok) {
        fs::rename(temporary, path, ec);
        if (ec) {
            ok = false;
            error = ec.value();
        }
    }
    if (!ok) {
        fs::remove(temporary, ec);
        return Failure(path, std::strerror(error));
    }
    return {};
}

} // namespace veld23
