#include "config/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace veld23 {

namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it calls them a loop.
constexpr int kMostLinksFollowed = 40;

Result<> Failure(const std::string& path, const std::string& reason) {
    return Result<>::Failure("Could not save " + path + ": " + reason +
                             ". The previous file is unchanged.");
}

// The file a name stands for, its symbolic links followed (a relative one from the folder
// that holds it). False with the error when the links go round in a loop.
bool FollowLinks(const fs::path& path, fs::path& target, int& error) {
    target = path;
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) {
            // Not a link, not there yet, or out of reach: opening it will tell.
            return true;
        }
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            error = ec.value();
            return false;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    error = ELOOP;
    return false;
}

// Short, so that a target whose name is as long as the file system allows still leaves
// room for it in the same folder.
std::string TemporaryName() {
    static std::random_device random;
    char name[24];
    std::snprintf(name, sizeof name, ".v23-%08x", static_cast<unsigned>(random()));
    return name;
}

// The old file's owner and group where the system lets us keep them (giving a file away
// needs privilege; a group of our own may still be kept), then its permission bits. Where
// the group could not be kept its bits are dropped: they were meant for other people.
int TakeOwnershipAndMode(int fd, const struct stat& old) {
    mode_t mode = old.st_mode & 0777;
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
        if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
            fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            mode &= ~static_cast<mode_t>(S_IRWXG);
        }
    }
    return fchmod(fd, mode) == 0 ? 0 : errno;
}

int WriteAll(int fd, std::span<const std::uint8_t> content) {
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        content = content.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// The rename itself reaches the disk only with its folder.
void SyncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

Result<> WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> content) {
    fs::path target;
    int error = 0;
    if (!FollowLinks(path, target, error)) {
        return Failure(path, std::strerror(error));
    }
    struct stat old {};
    const bool replacing = stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        return Failure(path, "it is a folder");
    }
    // A pipe or a device in the file's place is not replaced by a file.
    if (replacing && !S_ISREG(old.st_mode)) {
        return Failure(path, "it is not a plain file");
    }
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::path temporary;
    int fd = -1;
    // O_EXCL: never write into a file someone else created under that name. A file that
    // replaces another starts private and gets the old one's permissions before any data.
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = folder / TemporaryName();
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  replacing ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return Failure(path, std::strerror(errno));
    }
    error = replacing ? TakeOwnershipAndMode(fd, old) : 0;
    if (error == 0) {
        error = WriteAll(fd, content);
    }
    // The data must be on the disk before the rename makes it the file.
    if (error == 0 && fsync(fd) != 0) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary.c_str());
        return Failure(path, std::strerror(error));
    }
    SyncFolder(folder);
    return Result<>::Success();
}

} // namespace veld23
