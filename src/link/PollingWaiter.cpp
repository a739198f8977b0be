#include "link/PollingWaiter.h"

#include <algorithm>
#include <thread>

namespace veld23::link {

bool PollingWaiter::DispatchOne() {
    const auto now = EventSource::Clock::now();
    return std::any_of(sources_.begin(), sources_.end(),
                       [now](EventSource* source) { return source->DispatchOne(now); });
}

bool PollingWaiter::WaitUntil(const std::function<bool()>& done,
                              std::chrono::milliseconds timeout) {
    const auto deadline = EventSource::Clock::now() + timeout;
    while (!done()) {
        if (DispatchOne()) {
            continue;
        }
        const auto now = EventSource::Clock::now();
        if (now >= deadline) {
            return false;
        }
        auto wakeAt = deadline;
        for (const EventSource* source : sources_) {
            if (const auto next = source->NextEventTime()) {
                wakeAt = std::min(wakeAt, *next);
            }
        }
        std::this_thread::sleep_until(wakeAt);
    }
    return true;
}

void PollingWaiter::ProcessPendingEvents() {
    DispatchOne();
}

} // namespace veld23::link
