#pragma once

#include "link/Waiter.h"

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace veld23::link {

// Something that produces events for a PollingWaiter to deliver.
class EventSource {
  public:
    using Clock = std::chrono::steady_clock;
    virtual ~EventSource() = default;
    // Delivers at most one pending event; true when one was delivered.
    virtual bool DispatchOne(Clock::time_point now) = 0;
    // When the next event becomes due, if one is on its way.
    virtual std::optional<Clock::time_point> NextEventTime() const = 0;
};

// A blocking wait for programs without an event loop of their own: delivers
// the sources' events one at a time, checking after each one, and sleeps
// until the next is due or the time-out has passed.
class PollingWaiter : public Waiter {
  public:
    void AddSource(EventSource& source) { sources_.push_back(&source); }

    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) override;
    void Wake() override {}
    void ProcessPendingEvents() override;

  private:
    bool DispatchOne();

    std::vector<EventSource*> sources_;
};

} // namespace veld23::link
