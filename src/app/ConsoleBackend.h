#pragma once

#include "app/LaunchOptions.h"
#include "console/WindowSystem.h"

#include <QString>

#include <memory>

namespace brassbell {

class PracticeConsole;
class SimulatedDesktop;

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
