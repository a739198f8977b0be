#include <QCoreApplication>

#include <gtest/gtest.h>

// The serial driver and the event-loop wait need an application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
