#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brassbell {

// Shared with fake_game_console itself.
inline constexpr const char* kEtConsoleTitle = "ET Console";
inline constexpr const char* kQwConsoleClass = "ETQW WinConsole";

// Posted to the fake console's thread; it answers "synced" once the message comes out of the
// queue, so everything posted before it (the posted Enter of ETQW) has been handled.
inline constexpr UINT kFakeConsoleSync = WM_APP + 1;

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

private:
    // The next line it printed, without the line end; "" after it ended.
    std::string readLine();
    // Reads the next line and throws unless it is `expected`.
    void expectLine(const std::string& expected);
    // Ends the console and lets go of its handles.
    void release();

    PROCESS_INFORMATION process_{};
    HANDLE toConsole_ = nullptr;
    HANDLE fromConsole_ = nullptr;
    std::string pending_;
    bool finished_ = false;
    DWORD exitCode_ = 0;
};

} // namespace brassbell
