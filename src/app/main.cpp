#include "app/ConnectionMonitor.h"
#include "app/ConsoleBackend.h"
#include "app/MainWindow.h"
#include "app/PracticeConsole.h"
#include "app/QuitWhenShown.h"
#include "app/RconConsole.h"
#include "app/RconReplies.h"
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
#include <optional>
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
    QtDialogs dialogs;
    std::unique_ptr<ConsoleBackend> backend;
    if (options.console == ConsoleChoice::Rcon) {
        // The password is never taken from the command line, where other users could read it.
        std::optional<QString> password;
        if (qEnvironmentVariableIsSet("BRASSBELL_RCON_PASSWORD"))
            password = qEnvironmentVariable("BRASSBELL_RCON_PASSWORD");
        backend = createRconBackend(options, dialogs, password);
        if (!backend)
            return 1;
    } else {
        QString error;
        backend = createConsoleBackend(options.console, error, options.winePrefix);
        if (!backend) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
    }

    const RulesMdbPlace rulesMdb =
        findRulesMdb(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()),
                     userDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    if (!rulesMdb.problem.empty()) {
        MainWindow::tellRulesMdbNotFound(dialogs, {QString::fromStdString(rulesMdb.problem)});
        return 1;
    }
    Store store(rulesMdb.file);
    ConsoleLink console(backend->windows(), backend->pause());
    AppContext app{console, store, dialogs};

    MainWindow form(app);
    dialogs.setOwner(&form);
    if (backend->rcon)
        form.connectionMonitor().setConsoleProbe([&backend] { backend->rcon->checkServer(); });
    // Without a usable Rules.mdb Brassbell ends, and says so to whatever started it.
    if (!form.load(options.commandLine))
        return 1;
    QObject::connect(&form, &MainWindow::ended, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    if (options.quitWhenShown)
        new QuitWhenShown(form);
    form.show();

    // The console's own window stands beside the main window.
    QWidget* beside = backend->practice ? static_cast<QWidget*>(backend->practice.get())
                      : backend->rcon   ? &backend->rcon->replies()
                                        : nullptr;
    if (beside) {
        beside->move(form.frameGeometry().topRight() + QPoint(12, 0));
        beside->show();
    }
    if (!options.screenshot.isEmpty())
        takeScreenshotAndQuit(form, options.screenshot);
    return QApplication::exec();
}
