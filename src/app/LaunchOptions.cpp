#include "app/LaunchOptions.h"

#include "console/rcon/ServerAddress.h"

namespace brassbell {

namespace {

const QString kConsoleOption = QStringLiteral("--console=");
const QString kScreenshotOption = QStringLiteral("--screenshot=");
const QString kQuitWhenShownOption = QStringLiteral("--quit-when-shown");
const QString kWinePrefixOption = QStringLiteral("--wine-prefix=");
const QString kServerOption = QStringLiteral("--server=");
const QString kRconIntervalOption = QStringLiteral("--rcon-interval=");

QString rconIntervalError(const QString& value) {
    bool isNumber = false;
    const int ms = value.toInt(&isNumber);
    if (isNumber && ms >= LaunchOptions::kShortestRconIntervalMs &&
        ms <= LaunchOptions::kLongestRconIntervalMs)
        return {};
    return QStringLiteral("--rcon-interval takes milliseconds from %1 to %2, not \"%3\".")
        .arg(LaunchOptions::kShortestRconIntervalMs)
        .arg(LaunchOptions::kLongestRconIntervalMs)
        .arg(value);
}

// The options of the remote console belong together, and the server must be named well.
QString rconOptionsError(const LaunchOptions& options, bool intervalGiven) {
    if (options.console == ConsoleChoice::Rcon && options.server.isEmpty())
        return QStringLiteral("--console=rcon needs --server=HOST[:PORT].");
    if (!options.server.isEmpty()) {
        if (const std::string error = parseServerAddress(options.server.toStdString()).error; !error.empty())
            return QStringLiteral("--server=%1: %2").arg(options.server, QString::fromStdString(error));
    }
    if (options.console != ConsoleChoice::Rcon && (!options.server.isEmpty() || intervalGiven))
        return QStringLiteral("--server and --rcon-interval are for --console=rcon.");
    return {};
}

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
    bool intervalGiven = false;
    for (const QString& argument : arguments) {
        if (argument.startsWith(kConsoleOption)) {
            const QString value = argument.mid(kConsoleOption.size());
            if (value == QLatin1String("practice"))
                options.console = ConsoleChoice::Practice;
            else if (value == QLatin1String("win32"))
                options.console = ConsoleChoice::Win32;
            else if (value == QLatin1String("wine"))
                options.console = ConsoleChoice::Wine;
            else if (value == QLatin1String("rcon"))
                options.console = ConsoleChoice::Rcon;
            else
                options.error =
                    QStringLiteral("Unknown console \"%1\": use --console=practice, --console=win32, "
                                   "--console=wine or --console=rcon.")
                        .arg(value);
        } else if (argument.startsWith(kWinePrefixOption)) {
            options.winePrefix = argument.mid(kWinePrefixOption.size());
        } else if (argument.startsWith(kServerOption)) {
            options.server = argument.mid(kServerOption.size());
        } else if (argument.startsWith(kRconIntervalOption)) {
            const QString value = argument.mid(kRconIntervalOption.size());
            intervalGiven = true;
            if (const QString error = rconIntervalError(value); !error.isEmpty())
                options.error = error;
            else
                options.rconIntervalMs = value.toInt();
        } else if (argument.startsWith(kScreenshotOption)) {
            options.screenshot = argument.mid(kScreenshotOption.size());
        } else if (argument == kQuitWhenShownOption) {
            options.quitWhenShown = true;
        } else {
            rest << argument;
        }
    }
    options.commandLine = rest.join(QLatin1Char(' '));
    if (options.error.isEmpty())
        options.error = rconOptionsError(options, intervalGiven);
    return options;
}

} // namespace brassbell
