#pragma once

#include "link/ProcessorSimulator.h"

#include <csignal>
#include <functional>
#include <string>

namespace veld23::sim {

// Serves the simulated processor on the master side of a pseudo terminal; the
// editor opens the slave side as its serial port.
class PtyServer {
  public:
    explicit PtyServer(link::ProcessorSimulator& processor);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo terminal; false (with errorText) when it cannot.
    bool Open(std::string& errorText);
    const std::string& SlavePath() const { return slavePath_; }

    // Answers until stop becomes nonzero, and gives up a transfer left half done
    // once the line has been quiet for the processor's time-out. changed runs after
    // every batch of bytes from the editor and after a transfer was given up (for
    // logging).
    void Serve(const volatile std::sig_atomic_t& stop, const std::function<void()>& changed);

  private:
    void WriteDue();
    void ReleaseExclusiveModeOfAGoneClient();

    link::ProcessorSimulator& processor_;
    int master_ = -1;
    int keeper_ = -1;
    std::string slavePath_;
};

} // namespace veld23::sim
