#include "app/ConsoleBackend.h"

#include "app/PracticeConsole.h"
#include "app/RconConsole.h"
#include "console/SimulatedDesktop.h"

#ifdef _WIN32
#include "console/win32/Win32WindowSystem.h"
#else
#include "console/wine/WineWindowSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#endif

namespace brassbell {

ConsoleBackend::ConsoleBackend() = default;
ConsoleBackend::~ConsoleBackend() = default;

WindowSystem& ConsoleBackend::windows() {
    if (rcon)
        return rcon->windows();
    if (native)
        return *native;
    return *desktop;
}

Pause& ConsoleBackend::pause() {
    return rcon ? rcon->pause() : sleep_;
}

std::unique_ptr<ConsoleBackend> createRconBackend(const LaunchOptions& options, Dialogs& dialogs,
                                                  const std::optional<QString>& passwordFromEnvironment) {
    std::unique_ptr<RconConsole> rcon = openRconConsole(options, dialogs, passwordFromEnvironment);
    if (!rcon)
        return nullptr;
    auto backend = std::make_unique<ConsoleBackend>();
    backend->rcon = std::move(rcon);
    return backend;
}

std::unique_ptr<ConsoleBackend> createConsoleBackend(ConsoleChoice choice, QString& error,
                                                     const QString& winePrefix) {
    auto backend = std::make_unique<ConsoleBackend>();
    if (choice == ConsoleChoice::Wine) {
#ifdef _WIN32
        error = QStringLiteral("The wine console is for Linux, where games run under Wine; on Windows use "
                               "--console=win32.");
        return nullptr;
#else
        const QString bridge = QDir(QCoreApplication::applicationDirPath())
                                   .filePath(QString::fromLatin1(WineWindowSystem::kBridgeFileName));
        std::optional<std::string> prefix;
        if (!winePrefix.isEmpty())
            prefix = QFile::encodeName(winePrefix).toStdString();
        backend->native = std::make_unique<WineWindowSystem>(QFile::encodeName(bridge).toStdString(), prefix);
        return backend;
#endif
    }
    if (choice == ConsoleChoice::Win32) {
#ifdef _WIN32
        backend->native = std::make_unique<Win32WindowSystem>();
        return backend;
#else
        error = QStringLiteral("The win32 console is not available on this platform: it needs Windows. "
                               "Use --console=practice.");
        return nullptr;
#endif
    }
    backend->desktop = std::make_unique<SimulatedDesktop>();
    backend->practice = std::make_unique<PracticeConsole>(*backend->desktop);
    return backend;
}

} // namespace brassbell
