#pragma once

// win32/FakeGameConsole.cpp in a process of its own, as the game's console is: only captions
// and window messages reach it.
#include "../ConsoleWorld.h"
#include "console/win32/Win32WindowSystem.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace brassbell::testing {

class FakeGameConsoleProcess final : public FakeConsoleWorld {
public:
    // The consoles named `absent` are not made (the decoy always is).
    explicit FakeGameConsoleProcess(std::initializer_list<Console> absent = {}) : absent_(absent) {}
    ~FakeGameConsoleProcess() override { close(); }

    WindowSystem& windows() override { return windows_; }

    // Closing its input pipe ends the console, and _pclose waits for that. No path holds a blank.
    void open() override {
        const std::string program = _pgmptr;
        std::string command = program.substr(0, program.find_last_of("\\/") + 1) + "fake_game_console.exe";
        for (int i = 0; i < 3; ++i)
            command += " " + (isAbsent(static_cast<Console>(i)) ? std::string("-") : logs_[i].path());
        console_ = _popen(command.c_str(), "w");
        if (console_ == nullptr)
            throw std::runtime_error("cannot start " + command);
        waitForWindows();
    }
    void close() override {
        if (console_ != nullptr)
            _pclose(std::exchange(console_, nullptr));
    }

private:
    bool isAbsent(Console console) const {
        for (const Console c : absent_)
            if (c == console)
                return true;
        return false;
    }

    std::vector<Console> absent_;
    Win32WindowSystem windows_;
    std::FILE* console_ = nullptr;
};

} // namespace brassbell::testing
