#include "config/AtomicFile.h"
#include "config/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Saving replaces the file a name stands for in one step: through symbolic links, with
// the file's own permissions and owner, whatever the length of its name; or it fails,
// says why, and leaves everything as it was.

namespace veld23 {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempDirTest;
using testing::WriteAll;
using Bytes = std::vector<std::uint8_t>;

class AtomicSave : public TempDirTest {
  protected:
    // The failure's message; empty after a success.
    std::string Save(const fs::path& path) {
        return WriteFileAtomically(path.string(), saved).Message();
    }

    std::size_t EntriesIn(const fs::path& folder) const {
        return std::distance(fs::directory_iterator(folder), {});
    }

    const Bytes previous = Bytes(64, 0x5A);
    const Bytes saved = Bytes(2228, 0xA5);
};

TEST_F(AtomicSave, SavesThroughSymbolicLinksToTheFileTheyName) {
    fs::create_directories(dir / "shows");
    fs::create_symlink("shows/real.v23", dir / "relative.v23");
    fs::create_symlink(dir / "relative.v23", dir / "chain.v23");
    fs::create_symlink(dir / "shows" / "new.v23", dir / "dangling.v23");

    for (const char* name : {"relative.v23", "chain.v23"}) {
        WriteAll(dir / "shows" / "real.v23", previous);
        ASSERT_EQ(Save(dir / name), "") << name;
        EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
        EXPECT_EQ(ReadAll(dir / "shows" / "real.v23"), saved) << name;
    }
    // A link to a file not made yet makes it, as writing through the link would.
    ASSERT_EQ(Save(dir / "dangling.v23"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.v23"));
    EXPECT_EQ(ReadAll(dir / "shows" / "new.v23"), saved);
    EXPECT_EQ(EntriesIn(dir), 4u);
    EXPECT_EQ(EntriesIn(dir / "shows"), 2u);
}

TEST_F(AtomicSave, KeepsTheFilesPermissionsAndOwner) {
    const fs::path file = dir / "private.v23";
    for (const mode_t mode : {0600, 0640, 0604}) {
        WriteAll(file, previous);
        ASSERT_EQ(chmod(file.c_str(), mode), 0);
        ASSERT_EQ(Save(file), "");
        struct stat st {};
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(ReadAll(file), saved);
    }
    if (geteuid() != 0) {
        GTEST_SKIP() << "changing a file's owner needs root";
    }
    ASSERT_EQ(chown(file.c_str(), 4321, 5432), 0);
    ASSERT_EQ(Save(file), "");
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 5432u);
}

TEST_F(AtomicSave, NamesUpToTheLongestTheFileSystemTakes) {
    for (const std::size_t length : {std::size_t{243}, std::size_t{255}}) {
        const fs::path file = dir / (std::string(length - 4, 'n') + ".v23");
        ASSERT_EQ(Save(file), "") << length;
        EXPECT_EQ(ReadAll(file), saved);
        fs::remove(file);
    }
    EXPECT_EQ(EntriesIn(dir), 0u);
}

TEST_F(AtomicSave, FailuresSayWhyAndLeaveEverythingAsItWas) {
    const fs::path file = dir / "show.v23";
    WriteAll(file, previous);
    fs::create_symlink(dir / "loop-b.v23", dir / "loop-a.v23");
    fs::create_symlink(dir / "loop-a.v23", dir / "loop-b.v23");

    // A disk that fills up half way (a file size limit does the same).
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = unlimited;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string diskFull = Save(file);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, handler);

    const struct {
        std::string message;
        fs::path path;
        std::string reason;
    } cases[] = {
        {diskFull, file, "File too large"},
        {Save(dir / "missing" / "show.v23"), dir / "missing" / "show.v23",
         "No such file or directory"},
        {Save(dir), dir, "it is a folder"},
        {Save(dir / "loop-a.v23"), dir / "loop-a.v23", "Too many levels of symbolic links"}};
    for (const auto& k : cases) {
        EXPECT_EQ(k.message, "Could not save " + k.path.string() + ": " + k.reason +
                                 ". The previous file is unchanged.");
    }
    EXPECT_EQ(ReadAll(file), previous);
    EXPECT_EQ(EntriesIn(dir), 3u); // no temporary file, no folder made
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a.v23"));
}

} // namespace
} // namespace veld23
