#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace veld23::testing {

// A raw pseudo terminal: the code under test opens SlavePath() as a serial
// port, the test plays the far end on the master.
class PseudoTerminal {
  public:
    PseudoTerminal() {
        termios raw{};
        ::cfmakeraw(&raw);
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, &raw, nullptr) == 0) {
            path_ = name;
        }
    }
    ~PseudoTerminal() {
        ::close(slave_);
        ::close(master_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& SlavePath() const { return path_; }
    // The terminal takes a few kilobytes at once, more than any test writes.
    void Write(const std::vector<std::uint8_t>& bytes) const {
        [[maybe_unused]] const ssize_t written = ::write(master_, bytes.data(), bytes.size());
    }
    // What the code under test wrote, waiting up to timeoutMs for the first byte.
    std::vector<std::uint8_t> Read(int timeoutMs = 1000) const {
        std::vector<std::uint8_t> bytes;
        pollfd p{master_, POLLIN, 0};
        while (::poll(&p, 1, bytes.empty() ? timeoutMs : 20) > 0) {
            std::uint8_t buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

} // namespace veld23::testing
