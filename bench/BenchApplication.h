#pragma once

#include <QApplication>

namespace veld23::bench {

// The one widget application of the benchmark process, offscreen unless a platform is
// named; the window benchmarks share it. Null when a program without windows was
// started first.
inline QApplication* WidgetApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return qobject_cast<QApplication*>(QCoreApplication::instance());
    }
    static int argc = 1;
    static char name[] = "veld23_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return &app;
}

} // namespace veld23::bench
