// The start-up baseline: the least a Qt program does to show a window of Form1's size. Run
// with --screenshot=FILE it grabs the window once shown and quits, as Brassbell does, so the
// two are timed doing the same work.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(753, 623);
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.show();
    QString file;
    for (const QString& argument : QCoreApplication::arguments()) {
        if (argument.startsWith(QStringLiteral("--screenshot=")))
            file = argument.mid(13);
    }
    if (!file.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, file] {
            QCoreApplication::exit(window.grab().save(file) ? 0 : 1);
        });
    }
    return QApplication::exec();
}
