#include <cstdlib>
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    // Runs without a display, also when CTest lists the tests.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the window's settings stay out of ~/.config
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
