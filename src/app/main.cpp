#include "app/ConsoleBackend.h"
#include "app/MainWindow.h"
#include "app/PracticeConsole.h"
#include "app/QuitWhenShown.h"
#include "app/RulesMdbPlace.h"
#include "console/ConsoleLink.h"
#include "store/Store.h"
#include "store/jet/JetMigration.h"
#include "uikit/AppContext.h"
#include "uikit/QtDialogs.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace brassbell;

namespace {

// The hidden --screenshot option: a picture of the window as first shown, then the end.
void takeScreenshotAndQuit(MainWindow& form, const QString& file) {
    QTimer::singleShot(0, &form, [&form, file] {
        const bool saved = form.grab().save(file);
        if (!saved)
            std::fprintf(stderr, "Could not save the screenshot to %s\n", qPrintable(file));
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv) {
    // The conversion of old Jet files runs without a window, so it works without a display too.
    if (argc >= 2 && std::strcmp(argv[1], kConvertJetOption.data()) == 0)
        return runConvertJet(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brassbell"));

    const LaunchOptions options = parseLaunchOptions(QCoreApplication::arguments().mid(1));
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    QString error;
    const std::unique_ptr<ConsoleBackend> backend =
        createConsoleBackend(options.console, error, options.winePrefix);
    if (!backend) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }

    QtDialogs dialogs;
    const RulesMdbPlace rulesMdb =
        findRulesMdb(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()),
                     userDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    if (!rulesMdb.problem.empty()) {
        MainWindow::tellRulesMdbNotFound(dialogs, {QString::fromStdString(rulesMdb.problem)});
        return 1;
    }
    Store store(rulesMdb.file);
    ThreadSleepPause pause;
    ConsoleLink console(backend->windows(), pause);
    AppContext app{console, store, dialogs};

    MainWindow form(app);
    dialogs.setOwner(&form);
    // Without a usable Rules.mdb Brassbell ends, and says so to whatever started it.
    if (!form.load(options.commandLine))
        return 1;
    QObject::connect(&form, &MainWindow::ended, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    if (options.quitWhenShown)
        new QuitWhenShown(form);
    form.show();

    if (backend->practice) {
        backend->practice->move(form.frameGeometry().topRight() + QPoint(12, 0));
        backend->practice->show();
    }
    if (!options.screenshot.isEmpty())
        takeScreenshotAndQuit(form, options.screenshot);
    return QApplication::exec();
}
