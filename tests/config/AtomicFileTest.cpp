#include "config/AtomicFile.h"
#include "config/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Saving replaces the file a name stands for in one step: through symbolic links, with
// the file's own permissions and owner, whatever the length of its name.

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

    std::size_t EntriesInDir() const { return std::distance(fs::directory_iterator(dir), {}); }

    const Bytes previous = Bytes(64, 0x5A);
    const Bytes saved = Bytes(2228, 0xA5);
};

TEST_F(AtomicSave, SavesThroughSymbolicLinksToTheFileTheyName) {
    fs::create_directories(dir / "shows");
    WriteAll(dir / "shows" / "real.v23", previous);
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
    EXPECT_EQ(EntriesInDir(), 4u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "shows"), {}), 2);

    // A loop of links is no file: refused, and nothing is written.
    fs::create_symlink(dir / "loop-b.v23", dir / "loop-a.v23");
    fs::create_symlink(dir / "loop-a.v23", dir / "loop-b.v23");
    EXPECT_NE(Save(dir / "loop-a.v23"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a.v23"));
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
    EXPECT_EQ(EntriesInDir(), 0u);
}

} // namespace
} // namespace veld23
