#pragma once

#include <QString>
#include <QStringList>

namespace brassbell {

// The practice console stands in for a game; win32 reaches games on Windows itself, wine games
// run under Wine on Linux, rcon a game server's remote console anywhere.
enum class ConsoleChoice { Practice, Win32, Wine, Rcon };

// What the command line holds: Brassbell's own "--" options, and the text left over, which
// is searched for a start-tab keyword.
struct LaunchOptions {
    ConsoleChoice console = defaultConsoleChoice();
    // --wine-prefix=DIR: the Wine prefix the game runs in; empty for the user's WINEPREFIX.
    QString winePrefix;
    // --server=HOST[:PORT]: the game server --console=rcon reaches.
    QString server;
    // --rcon-interval=MS: the least time between two requests to the server.
    int rconIntervalMs = kDefaultRconIntervalMs;
    // Hidden option: save a picture of the shown window there and quit.
    QString screenshot;
    // Hidden option: quit once the window has been painted, by which start-up is timed.
    bool quitWhenShown = false;
    QString commandLine;
    // Set when an option of ours was given a value it does not know.
    QString error;

    static ConsoleChoice defaultConsoleChoice();

    // One request a second keeps within every rate limit of these servers; below the pause
    // between two chat pieces is never allowed.
    static constexpr int kDefaultRconIntervalMs = 1000;
    static constexpr int kShortestRconIntervalMs = 300;
    static constexpr int kLongestRconIntervalMs = 60000;
};

// `arguments` are those after the executable's own name.
LaunchOptions parseLaunchOptions(const QStringList& arguments);

} // namespace brassbell
