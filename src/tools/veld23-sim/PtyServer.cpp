#include "PtyServer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace veld23::sim {

using Clock = link::ProcessorSimulator::Clock;

PtyServer::PtyServer(link::ProcessorSimulator& processor) : processor_(processor) {}

PtyServer::~PtyServer() {
    if (keeper_ >= 0) {
        ::close(keeper_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PtyServer::Open(std::string& errorText) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        errorText = std::string("cannot create a pseudo terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        errorText = std::string("cannot name the pseudo terminal: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    // Holding the slave side open keeps the master readable while the editor
    // has its port closed between transfers (otherwise every read fails with EIO).
    keeper_ = ::open(name, O_RDWR | O_NOCTTY);
    if (keeper_ < 0) {
        errorText = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    // Raw bytes both ways: no echo, no line editing, no character translation.
    termios settings{};
    if (::tcgetattr(keeper_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(keeper_, TCSANOW, &settings);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyServer::WriteDue() {
    std::array<std::uint8_t, 256> out{};
    for (;;) {
        const std::size_t count = processor_.Take(out, Clock::now());
        if (count == 0) {
            return;
        }
        // Bytes nobody reads (the editor's port is closed and the queue is
        // full) are lost, as on a real line.
        std::size_t done = 0;
        while (done < count) {
            const ssize_t written = ::write(master_, out.data() + done, count - done);
            if (written <= 0) {
                break;
            }
            done += static_cast<std::size_t>(written);
        }
    }
}

void PtyServer::ReleaseExclusiveModeOfAGoneClient() {
#if defined(TIOCGEXCL) && defined(TIOCNXCL)
    // A client that was killed leaves its terminal in exclusive mode (it never got
    // to clear it, and the slave this server keeps open keeps the terminal alive),
    // which would refuse every later client that is not the superuser. A client at
    // work holds an flock on the terminal: when nobody does, nobody is there.
    int exclusive = 0;
    if (::ioctl(keeper_, TIOCGEXCL, &exclusive) != 0 || exclusive == 0) {
        return;
    }
    if (::flock(keeper_, LOCK_EX | LOCK_NB) == 0) {
        ::ioctl(keeper_, TIOCNXCL);
        ::flock(keeper_, LOCK_UN);
    }
#endif
}

void PtyServer::Serve(const volatile std::sig_atomic_t& stop,
                      const std::function<void()>& changed) {
    std::array<std::uint8_t, 4096> in{};
    while (stop == 0) {
        WriteDue();
        if (processor_.ForgetIfIdle(Clock::now())) {
            changed();
        }
        ReleaseExclusiveModeOfAGoneClient();
        // Sleep until the editor writes, the next answer is due, or a while
        // has passed (to notice a stop).
        auto timeout = std::chrono::nanoseconds(std::chrono::milliseconds(100));
        if (const auto next = processor_.NextOutputTime()) {
            timeout = std::clamp<std::chrono::nanoseconds>(*next - Clock::now(),
                                                           std::chrono::nanoseconds(0), timeout);
        }
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
        const timespec wait{static_cast<time_t>(seconds.count()),
                            static_cast<long>((timeout - seconds).count())};
        pollfd fd{master_, POLLIN, 0};
        const int ready = ::ppoll(&fd, 1, &wait, nullptr);
        if (ready <= 0) {
            continue;
        }
        if ((fd.revents & POLLIN) != 0) {
            const ssize_t count = ::read(master_, in.data(), in.size());
            if (count > 0) {
                processor_.Feed(std::span(in).first(static_cast<std::size_t>(count)), Clock::now());
                changed();
                continue;
            }
        }
        if ((fd.revents & (POLLHUP | POLLERR)) != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

} // namespace veld23::sim
