// A stand-in for brassbell-winbridge.exe that runs natively: the bridge's own request handling
// over a simulated desktop, so that WineWindowSystem can be tried without Wine.
//
//   fake_bridge [--et LOG] [--requests LOG] [--greeting TEXT] [--hang-at N] [--die-at N] [BRIDGE]
//
// --et makes the ET console; every line it executes is appended to LOG as bytes plus "\n". --requests appends
// every byte received. The bridge's answer lines are counted from 0, the greeting: --hang-at N stops
// answering (and waits to be killed) instead of writing line N, --die-at N ends the process instead.
// --greeting replaces the greeting. BRIDGE, the path of the bridge it stands in for, is ignored.
#include "console/SimulatedDesktop.h"
#include "winbridge/BridgeServer.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

int main(int argc, char** argv) {
    std::map<std::string, std::string> option;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]).starts_with("--")) {
            option[argv[i]] = argv[i + 1];
            ++i;
        }
    }
    const auto lineNumber = [&](const char* name) {
        return option.count(name) ? std::strtol(option[name].c_str(), nullptr, 10) : -1L;
    };
    const long hangAt = lineNumber("--hang-at");
    const long dieAt = lineNumber("--die-at");
    const std::string requestLog = option["--requests"];
    const std::string greeting = option["--greeting"];

    brassbell::SimulatedDesktop desktop;
    const std::string etLog = option["--et"];
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
