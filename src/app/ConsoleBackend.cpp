#include "console/WindowSystemFactory.h"

#include "console/PracticeConsole.h"
#include "console/SimulatedDesktop.h"

#ifdef _WIN32
#include "console/win32/Win32WindowSystem.h"
#else
#include "console/WineBridgeWindowSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#endif

namespace brassbell {

namespace {

const QString kConsoleOption = QStringLiteral("--console=");
const QString kScreenshotOption = QStringLiteral("--screenshot=");
const QString kQuitWhenShownOption = QStringLiteral("--quit-when-shown");
const QString kWinePrefixOption = QStringLiteral("--wine-prefix=");

} // namespace

ConsoleChoice LaunchOptions::defaultConsoleChoice() {
#ifdef _WIN32
    return ConsoleChoice::Win32;
#else
    return ConsoleChoice::Practice;
#endif
}

LaunchOptions parseLaunchOptions(const QStringList& arguments) {
    LaunchOptions options;
    QStringList rest;
    for (const QString& argument : arguments) {
        if (argument.startsWith(kConsoleOption)) {
            const QString value = argument.mid(kConsoleOption.size());
            if (value == QLatin1String("practice"))
                options.console = ConsoleChoice::Practice;
            else if (value == QLatin1String("win32"))
                options.console = ConsoleChoice::Win32;
            else if (value == QLatin1String("wine"))
                options.console = ConsoleChoice::Wine;
            else
                options.error =
                    QStringLiteral("Unknown console \"%1\": use --console=practice, --console=win32 or --console=wine.")
                        .arg(value);
        } else if (argument.startsWith(kWinePrefixOption)) {
            options.winePrefix = argument.mid(kWinePrefixOption.size());
        } else if (argument.startsWith(kScreenshotOption)) {
            options.screenshot = argument.mid(kScreenshotOption.size());
        } else if (argument == kQuitWhenShownOption) {
            options.quitWhenShown = true;
        } else {
            rest << argument;
        }
    }
    options.commandLine = rest.join(QLatin1Char(' '));
    return options;
}

ConsoleBackend::ConsoleBackend() = default;
ConsoleBackend::~ConsoleBackend() = default;

WindowSystem& ConsoleBackend::windows() {
    if (native)
        return *native;
    return *desktop;
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
                                   .filePath(QString::fromLatin1(WineBridgeWindowSystem::kBridgeFileName));
        std::optional<std::string> prefix;
        if (!winePrefix.isEmpty())
            prefix = QFile::encodeName(winePrefix).toStdString();
        backend->native = std::make_unique<WineBridgeWindowSystem>(QFile::encodeName(bridge).toStdString(), prefix);
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
