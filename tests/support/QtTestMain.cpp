#include <gtest/gtest.h>

#include <QApplication>

// Qt test executables run headless everywhere, including when CTest lists their tests at
// build time, so the platform is chosen here before the application object exists. A
// platform set by the caller is respected.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
