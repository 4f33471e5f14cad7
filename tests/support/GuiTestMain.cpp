// One QApplication on Qt's offscreen platform, so GUI tests drive real widgets without a display;
// on Windows on the system's own platform (under Wine, with Wine's null graphics driver).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifndef _WIN32
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) // a platform already chosen stays
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brassbell");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
