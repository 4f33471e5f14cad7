#pragma once

#include "console/WindowSystem.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace brassbell {

class PracticeConsole;
class SimulatedDesktop;

// The practice console stands in for a game; win32 reaches games on Windows itself, wine games
// run under Wine on Linux.
enum class ConsoleChoice { Practice, Win32, Wine };

// What the command line holds: Brassbell's own "--" options, and the text left over, which
// is searched for a start-tab keyword.
struct LaunchOptions {
    ConsoleChoice console = defaultConsoleChoice();
    // --wine-prefix=DIR: the Wine prefix the game runs in; empty for the user's WINEPREFIX.
    QString winePrefix;
    // Hidden option: save a picture of the shown window there and quit.
    QString screenshot;
    // Hidden option: quit once the window has been painted, by which start-up is timed.
    bool quitWhenShown = false;
    QString commandLine;
    // Set when an option of ours was given a value it does not know.
    QString error;

    static ConsoleChoice defaultConsoleChoice();
};

// `arguments` are those after the executable's own name.
LaunchOptions parseLaunchOptions(const QStringList& arguments);

// The window system the console link works on, and the practice console showing it when
// that is the simulated one.
struct ConsoleBackend {
    std::unique_ptr<SimulatedDesktop> desktop;
    std::unique_ptr<WindowSystem> native;
    // Declared last so it goes first: it watches the desktop.
    std::unique_ptr<PracticeConsole> practice;

    WindowSystem& windows();
    ConsoleBackend();
    ~ConsoleBackend();
};

// Nothing (and `error` set) when the choice is not available on this platform. The Wine
// bridge is looked for beside Brassbell's executable.
std::unique_ptr<ConsoleBackend> createConsoleBackend(ConsoleChoice choice, QString& error,
                                                     const QString& winePrefix = QString());

} // namespace brassbell
