#pragma once

#include "link/Waiter.h"

#include <chrono>
#include <functional>
#include <vector>

class QEventLoop;

namespace veld23::link {

// Waits by running a nested event loop under a timer, so windows repaint and
// the serial driver's receptions arrive while the transfer waits. Needs a
// QCoreApplication (or QApplication).
class QtEventLoopWaiter : public Waiter {
  public:
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) override;
    void Wake() override;
    void ProcessPendingEvents() override;

  private:
    std::vector<QEventLoop*> loops_;
};

} // namespace veld23::link
