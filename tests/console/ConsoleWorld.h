#pragma once

// The consoles a test types into: the ET console ("ET Console"), the ETQW console (class
// "ETQW WinConsole", "ETQW Console") and a decoy titled "ETQW WinConsole", each with an empty
// "Edit" input line, a "copy" button and an "Edit" log, in that order; and what each executed.
#include "TempFile.h"
#include "console/WindowSystem.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace brassbell::testing {

enum class Console { Et, Etqw, Decoy };

class ConsoleWorld {
public:
    virtual ~ConsoleWorld() = default;
    virtual WindowSystem& windows() = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    // The console's executed lines, each plus "\n", once they are `awaited` or a limit passed.
    virtual std::string executed(Console console, const std::string& awaited) = 0;
};

struct WorldMaker {
    const char* name;
    std::function<std::unique_ptr<ConsoleWorld>()> make; // nothing where it cannot be had, for `missing`
    const char* missing = "";
};

inline bool waitUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    for (const auto deadline = std::chrono::steady_clock::now() + limit; !done();
         std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (std::chrono::steady_clock::now() > deadline)
            return false;
    return true;
}

// win32/FakeGameConsole.cpp in a process of its own, logging what each console executes.
class FakeConsoleWorld : public ConsoleWorld {
public:
    std::string executed(Console console, const std::string& awaited) override {
        std::string bytes;
        waitUntil([&] { return (bytes = logs_[static_cast<int>(console)].bytes()) == awaited; },
                  std::chrono::seconds(20));
        return bytes;
    }

protected:
    // The console makes each log once that console's windows exist, the decoy's last.
    void waitForWindows() const {
        if (!waitUntil([&] { return std::filesystem::exists(logs_[2].path()); }, std::chrono::seconds(120)))
            throw std::runtime_error("the fake game console made no windows");
    }

    TempFile logs_[3]{TempFile("et"), TempFile("qw"), TempFile("decoy")};
};

} // namespace brassbell::testing
