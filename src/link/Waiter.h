#pragma once

#include <chrono>
#include <functional>

namespace veld23::link {

// How the transfer code waits for the processor without stopping the program:
// the editor keeps its event loop running, the command-line tool and the tests
// pump their own event sources. Every wait has a bound.
class Waiter {
  public:
    virtual ~Waiter() = default;

    // Lets events run until done() holds (true) or the time-out has passed (false).
    virtual bool WaitUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout) = 0;
    // Called by an event handler after it changed something a wait checks.
    virtual void Wake() = 0;
    // A short pause between transfer steps: lets pending events (a repaint,
    // a reception) run without waiting for new ones.
    virtual void ProcessPendingEvents() = 0;
};

} // namespace veld23::link
