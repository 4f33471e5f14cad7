// The bridge's server over a simulated desktop, to try WineWindowSystem without Wine:
//   fake_bridge [--et LOG] [--requests LOG] [--greeting TEXT] [--hang-at N] [--die-at N] [BRIDGE]
// --et's console logs each line it executes; --requests logs every byte received. Counting answer
// lines from 0, the greeting, it hangs instead of writing line --hang-at and ends at --die-at.
#include "console/SimulatedDesktop.h"
#include "winbridge/BridgeServer.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

int main(int argc, char** argv) {
    std::map<std::string, std::string> option = {{"--hang-at", "-1"}, {"--die-at", "-1"}};
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--"))
            option[argv[i]] = argv[i + 1], ++i;
    const long hangAt = std::stol(option["--hang-at"]);
    const long dieAt = std::stol(option["--die-at"]);
    const std::string requestLog = option["--requests"], greeting = option["--greeting"],
                      etLog = option["--et"];

    brassbell::SimulatedDesktop desktop;
    if (!etLog.empty())
        desktop.createEtConsole();
    desktop.setLineObserver([&](const brassbell::SimulatedDesktop::ExecutedLine& executed) {
        std::ofstream(etLog, std::ios::binary | std::ios::app) << executed.line << '\n';
    });

    long written = 0;
    brassbell::winbridge::serve(
        [&](char* buffer, std::size_t capacity) {
            const ssize_t got = ::read(STDIN_FILENO, buffer, capacity);
            if (got <= 0)
                return std::size_t{0};
            if (!requestLog.empty())
                std::ofstream(requestLog, std::ios::binary | std::ios::app).write(buffer, got);
            return static_cast<std::size_t>(got);
        },
        [&](std::string_view line) {
            if (written == dieAt)
                std::_Exit(1);
            while (written == hangAt)
                ::pause();
            const std::string out = written++ == 0 && !greeting.empty() ? greeting + "\n" : std::string(line);
            // The game's thread handles what was posted to it before the next request comes.
            desktop.pump();
            return ::write(STDOUT_FILENO, out.data(), out.size()) == static_cast<ssize_t>(out.size());
        },
        desktop);
    return 0;
}
