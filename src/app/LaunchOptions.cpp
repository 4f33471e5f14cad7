#include "app/LaunchOptions.h"

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
                    QStringLiteral(
                        "Unknown console \"%1\": use --console=practice, --console=win32 or --console=wine.")
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

} // namespace brassbell
