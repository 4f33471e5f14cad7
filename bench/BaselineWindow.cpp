// The start-up baseline: the least a Qt program does to show a window of Form1's size. Run
// with --quit-when-shown it ends once the window has been painted, as Brassbell does with the
// same option, so the two are timed doing the same work. --with-label puts one line of text
// in it, which shows what the first text on screen costs (the font system's start).
#include "app/QuitWhenShown.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(753, 623);
    window.setWindowTitle(QStringLiteral("Baseline"));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QStringLiteral("--with-label")))
        new QLabel(QStringLiteral("BRASSBELL"), &window);
    if (arguments.contains(QStringLiteral("--quit-when-shown")))
        new brassbell::QuitWhenShown(window);
    window.show();
    return QApplication::exec();
}
