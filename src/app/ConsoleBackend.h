#pragma once

#include "app/LaunchOptions.h"
#include "console/Pause.h"
#include "console/WindowSystem.h"

#include <QString>

#include <memory>
#include <optional>

namespace brassbell {

class Dialogs;
class PracticeConsole;
class RconConsole;
class SimulatedDesktop;

// The window system the console link works on and the pause between chat pieces, with the
// practice console showing it when that is the simulated one.
struct ConsoleBackend {
    std::unique_ptr<SimulatedDesktop> desktop;
    std::unique_ptr<WindowSystem> native;
    std::unique_ptr<RconConsole> rcon;
    // Declared last so it goes first: it watches the desktop.
    std::unique_ptr<PracticeConsole> practice;

    WindowSystem& windows();
    Pause& pause();
    ConsoleBackend();
    ~ConsoleBackend();

private:
    ThreadSleepPause sleep_;
};

// Nothing (and `error` set) when the choice is not available on this platform. The Wine
// bridge is looked for beside Brassbell's executable.
std::unique_ptr<ConsoleBackend> createConsoleBackend(ConsoleChoice choice, QString& error,
                                                     const QString& winePrefix = QString());

// A game server's remote console (see openRconConsole); nothing when Brassbell is to end.
std::unique_ptr<ConsoleBackend> createRconBackend(const LaunchOptions& options, Dialogs& dialogs,
                                                  const std::optional<QString>& passwordFromEnvironment);

} // namespace brassbell
