// One QApplication on Qt's offscreen platform, so GUI tests drive real widgets without a display.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0); // a platform already chosen stays
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brassbell");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
