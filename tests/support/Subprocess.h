#pragma once

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veld23::testing {

// A program started for a test, with its output on pipes. It is stopped
// (SIGTERM) when the object goes, and dies with the test program if that dies.
class Subprocess {
  public:
    explicit Subprocess(const std::vector<std::string>& argv) {
        int out[2];
        int err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
            std::vector<char*> args;
            for (const std::string& a : argv) {
                args.push_back(const_cast<char*>(a.c_str()));
            }
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Subprocess() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGTERM);
            Wait(std::chrono::seconds(5));
        }
        for (const int fd : {out_, err_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    // Reads stdout up to the next newline (without it); empty on time-out or end.
    std::string ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto newline = stdout_.find('\n', lineStart_);
            if (newline != std::string::npos) {
                std::string line = stdout_.substr(lineStart_, newline - lineStart_);
                lineStart_ = newline + 1;
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !Pump(out_, stdout_, static_cast<int>(left.count()))) {
                return {};
            }
        }
    }

    // Waits for the program to end, collecting its output; -1 on time-out.
    int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!exited_) {
            int status = 0;
            const pid_t done = ::waitpid(pid_, &status, WNOHANG);
            if (done == pid_) {
                exited_ = true;
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                return -1;
            }
            Pump(out_, stdout_, 0);
            Pump(err_, stderr_, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        while (Pump(out_, stdout_, 0)) {
        }
        while (Pump(err_, stderr_, 0)) {
        }
        return exitCode_;
    }

    const std::string& Stdout() const { return stdout_; }
    const std::string& Stderr() const { return stderr_; }

  private:
    // Appends what can be read within timeoutMs; false when nothing came.
    static bool Pump(int fd, std::string& into, int timeoutMs) {
        if (fd < 0) {
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0 || (p.revents & POLLIN) == 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            return false;
        }
        into.append(buffer, static_cast<std::size_t>(count));
        return true;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool exited_ = false;
    int exitCode_ = -1;
    std::string stdout_;
    std::string stderr_;
    std::size_t lineStart_ = 0;
};

} // namespace veld23::testing
