#include "console/WindowSystemFactory.h"

#include "console/PracticeConsole.h"
#include "console/SimulatedDesktop.h"

#ifdef _WIN32
#include "console/win32/Win32WindowSystem.h"
#endif

namespace brassbell {

namespace {

const QString kConsoleOption = QStringLiteral("--console=");
const QString kScreenshotOption = QStringLiteral("--screenshot=");

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
            else
                options.error = QStringLiteral("Unknown console \"%1\": use --console=practice or --console=win32.")
                                    .arg(value);
        } else if (argument.startsWith(kScreenshotOption)) {
            options.screenshot = argument.mid(kScreenshotOption.size());
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

std::unique_ptr<ConsoleBackend> createConsoleBackend(ConsoleChoice choice, QString& error) {
    auto backend = std::make_unique<ConsoleBackend>();
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
