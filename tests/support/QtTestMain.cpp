#include <gtest/gtest.h>

#include <QApplication>

#include "support/PrivateRuntime.h"

// Headless everywhere, also when CTest lists the tests at build time; a platform the caller
// chose is kept.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testsupport::PrivateRuntime runtime;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
