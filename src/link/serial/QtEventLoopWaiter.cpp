#include "link/serial/QtEventLoopWaiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace veld23::link {

bool QtEventLoopWaiter::WaitUntil(const std::function<bool()>& done,
                                  std::chrono::milliseconds timeout) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const qint64 left = timeout.count() - clock.elapsed();
        if (left <= 0) {
            return false;
        }
        QEventLoop loop;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        watchdog.setTimerType(Qt::PreciseTimer);
        QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
        watchdog.start(static_cast<int>(left));
        loops_.push_back(&loop);
        loop.exec();
        loops_.pop_back();
    }
    return true;
}

void QtEventLoopWaiter::Wake() {
    // Every waiting loop looks again; the ones not yet done go back to waiting.
    for (QEventLoop* loop : loops_) {
        loop->quit();
    }
}

void QtEventLoopWaiter::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

} // namespace veld23::link
