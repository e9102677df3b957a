// The test main for widget tests: a QApplication lives for the whole run. Widget tests never
// need a display: without a platform named, they run offscreen (test discovery runs the binary
// without the tests' environment).

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
