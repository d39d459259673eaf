#include <gtest/gtest.h>

#include <QCoreApplication>

#include "MockBluez.h"
#include "support/PrivateRuntime.h"

// Qt's D-Bus support needs an application object; its loop is not run: the Bluetooth objects
// live in their own thread with its own loop.
int main(int argc, char** argv) {
    testsupport::PrivateRuntime runtime;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    bluetooth::testing::MockBluez::shutDown();
    return result;
}
