#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brassbell {

// The fake game console running in a process of its own, as the game would, with its standard
// input and output on pipes of ours. Closing its input ends it.
class FakeConsoleProcess {
public:
    // Starts fake_game_console from the folder of the running program with these arguments and
    // returns once it has said "ready". Throws std::runtime_error when it does not start or says
    // something else.
    explicit FakeConsoleProcess(const std::vector<std::string>& arguments);
    ~FakeConsoleProcess();
    FakeConsoleProcess(const FakeConsoleProcess&) = delete;
    FakeConsoleProcess& operator=(const FakeConsoleProcess&) = delete;

    // Returns once the console has handled every message sent or posted to it so far.
    void settle();
    // Closes its input and returns its exit code.
    DWORD finish();

    // The next line it printed, without the line end; "" after it ended.
    std::string readLine();

private:
    PROCESS_INFORMATION process_{};
    HANDLE toConsole_ = nullptr;
    HANDLE fromConsole_ = nullptr;
    std::string pending_;
    bool finished_ = false;
    DWORD exitCode_ = 0;
};

// A fresh name for a file in the temporary folder; the file is deleted when this goes.
class TempLogFile {
public:
    explicit TempLogFile(const std::string& stem);
    ~TempLogFile();
    TempLogFile(const TempLogFile&) = delete;
    TempLogFile& operator=(const TempLogFile&) = delete;

    const std::string& path() const { return path_; }
    // The whole file as bytes; throws std::runtime_error when it does not exist.
    std::string bytes() const;

private:
    std::string path_;
};

} // namespace brassbell
