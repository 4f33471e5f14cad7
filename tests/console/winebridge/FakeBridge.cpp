// A stand-in for brassbell-winbridge.exe that runs natively: the bridge's own request handling
// over a simulated desktop, so that WineBridgeWindowSystem can be tried without Wine.
//
//   winebridge_fake_bridge [--et LOG] [--qw LOG] [--requests LOG] [--greeting TEXT]
//                          [--hang-at N] [--die-at N] [BRIDGE]
//
// --et and --qw make the ET and the ETQW console; every line a console executes is appended to
// its LOG as bytes plus "\n". --requests appends every byte received. The bridge's
// answer lines are counted from 0, the greeting: --hang-at N stops answering (and waits to be
// killed) instead of writing line N, --die-at N ends the process instead. --greeting replaces
// the greeting. BRIDGE, the path of the bridge it stands in for, is ignored.
#include "console/SimulatedDesktop.h"
#include "console/winbridge/BridgeServer.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

struct Arguments {
    std::string etLog, qwLog, requestLog, greeting;
    long hangAt = -1;
    long dieAt = -1;
};

Arguments parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            break;
        }
        const std::string value = argv[i + 1];
        if (option == "--et") {
            arguments.etLog = value;
        } else if (option == "--qw") {
            arguments.qwLog = value;
        } else if (option == "--requests") {
            arguments.requestLog = value;
        } else if (option == "--greeting") {
            arguments.greeting = value;
        } else if (option == "--hang-at") {
            arguments.hangAt = std::strtol(value.c_str(), nullptr, 10);
        } else if (option == "--die-at") {
            arguments.dieAt = std::strtol(value.c_str(), nullptr, 10);
        } else {
            continue;
        }
        ++i;
    }
    return arguments;
}

void appendLine(const std::string& path, const std::string& line) {
    if (!path.empty()) {
        std::ofstream(path, std::ios::binary | std::ios::app) << line << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    const Arguments arguments = parse(argc, argv);
    brassbell::SimulatedDesktop desktop;
    std::map<brassbell::Hwnd, std::string> logOfInputLine;
    if (!arguments.etLog.empty()) {
        logOfInputLine[desktop.createEtConsole().input] = arguments.etLog;
    }
    if (!arguments.qwLog.empty()) {
        logOfInputLine[desktop.createEtqwConsole().input] = arguments.qwLog;
    }
    desktop.setLineObserver([&](const brassbell::SimulatedDesktop::ExecutedLine& executed) {
        appendLine(logOfInputLine[executed.inputLine], executed.line);
    });

    long written = 0;
    brassbell::winbridge::serve(
        [&](char* buffer, std::size_t capacity) {
            const ssize_t got = ::read(STDIN_FILENO, buffer, capacity);
            if (got <= 0) {
                return std::size_t{0};
            }
            if (!arguments.requestLog.empty()) {
                std::ofstream(arguments.requestLog, std::ios::binary | std::ios::app)
                    .write(buffer, static_cast<std::streamsize>(got));
            }
            return static_cast<std::size_t>(got);
        },
        [&](std::string_view line) {
            if (written == arguments.dieAt) {
                std::_Exit(1);
            }
            while (written == arguments.hangAt) {
                ::pause();
            }
            std::string out(line);
            if (written == 0 && !arguments.greeting.empty()) {
                out = arguments.greeting + "\n";
            }
            ++written;
            // The game's thread handles what was posted to it before the next request comes.
            desktop.pump();
            return ::write(STDOUT_FILENO, out.data(), out.size()) == static_cast<ssize_t>(out.size());
        },
        desktop);
    return 0;
}
