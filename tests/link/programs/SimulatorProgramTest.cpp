// veld23-sim as a program, spoken to byte by byte over its pseudo terminal.
#include "support/Subprocess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <termios.h>

namespace veld23 {
namespace {

using testing::Subprocess;
using Bytes = std::vector<std::uint8_t>;

// The far end of the simulator's terminal, as a raw serial port.
class Port {
  public:
    explicit Port(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios raw{};
        ::tcgetattr(fd_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
    }
    ~Port() { ::close(fd_); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;
    bool IsOpen() const { return fd_ >= 0; }

    // Sends the bytes and collects `answers` bytes back (within a second).
    Bytes Ask(const Bytes& bytes, std::size_t answers) {
        if (!bytes.empty() && ::write(fd_, bytes.data(), bytes.size()) < 0) {
            return {};
        }
        Bytes got;
        pollfd p{fd_, POLLIN, 0};
        while (got.size() < answers && ::poll(&p, 1, 1000) > 0) {
            std::uint8_t buffer[256];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, answers - got.size()));
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

  private:
    int fd_;
};

std::string TempDir(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    return dir.string();
}

TEST(SimulatorProgram, PrintsItsTerminalFirstAndAnswersTheDialogue) {
    Subprocess sim({VELD23_SIM_PATH});
    const std::string path = sim.ReadLine();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    Port port(path);
    ASSERT_TRUE(port.IsOpen());
    EXPECT_EQ(port.Ask({0x80}, 1), Bytes{0x80});
    EXPECT_EQ(port.Ask({19}, 1), Bytes{19});
    EXPECT_EQ(port.Ask({0}, 1), Bytes{1}); // the running memory
    EXPECT_EQ(port.Ask({0, 0, 0}, 1), Bytes{0});
    EXPECT_EQ(port.Ask({0x55}, 1), Bytes{0x55});
}

TEST(SimulatorProgram, KeepsAWrittenMemoryInItsFolder) {
    const std::string dir = TempDir("veld23-sim-memories");
    const Bytes data = {0x00, 0x03, 0xAA, 0xBB, 0x00};
    {
        Subprocess sim({VELD23_SIM_PATH, "--memory-dir", dir});
        Port port(sim.ReadLine());
        EXPECT_EQ(port.Ask({0x80, 3, 4, 4, 0, 5}, 3), (Bytes{0x80, 3, 4}));
        EXPECT_EQ(port.Ask({}, 1), Bytes{5}); // the LONG echo
        EXPECT_EQ(port.Ask(data, 1), Bytes{0x00});
        EXPECT_EQ(port.Ask({0x55}, 1), Bytes{0x55});
    }
    // Kept where the next run loads it from.
    std::ifstream stored(dir + "/memory4.bin", std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(stored), {}), data);
    std::filesystem::remove_all(dir);
}

TEST(SimulatorProgram, BadOptionsAreRefusedWithTheUsage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--protect", "9"},
                                                 {"--wrong", "nowhere"},
                                                 {"--baud", "fast"},
                                                 {"--silent", "start=3"},
                                                 {"--frobnicate"}}) {
        std::vector<std::string> argv = {VELD23_SIM_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        Subprocess sim(argv);
        EXPECT_EQ(sim.Wait(), 2) << args[0];
        EXPECT_NE(sim.Stderr().find("usage: veld23-sim"), std::string::npos);
    }
}

} // namespace
} // namespace veld23
