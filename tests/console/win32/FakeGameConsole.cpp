// A stand-in for the game's console window, for the end-to-end test of the console link.
//
//   fake_game_console [--et LOG] [--qw LOG] [--qw-title TITLE] [--decoy LOG]
//
// --et makes the ET console (title "ET Console"), --qw the ETQW console (class "ETQW WinConsole",
// titled TITLE), --decoy a window titled "ETQW WinConsole" of another class, which the console
// link must not take for a console. Each has the children of the game's console in its order:
// the input line (an Edit without text), a captioned button, the multi-line log. An Enter in the
// input line appends the line it holds, as bytes, plus "\n" to LOG and empties the input line,
// as the game executes it; an empty line is written as an empty line, so a second Enter shows.
//
// Prints "ready" once every window exists, and "synced" for every thread message
// kFakeConsoleSync, which comes out of the queue after everything posted before it.
// Ends with 0 when its standard input closes, with 3 when a minute passes first.
#include "FakeConsoleProcess.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr UINT kTimeoutMs = 60000;
constexpr int kExitTimedOut = 3;
constexpr int kExitBadArguments = 2;

struct ConsoleWindow {
    std::string logPath;
    HWND frame = nullptr;
    HWND input = nullptr;
    WNDPROC inputProc = nullptr;
};

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

LRESULT CALLBACK inputLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* console = reinterpret_cast<ConsoleWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_CHAR || wParam != VK_RETURN)
        return CallWindowProcA(console->inputProc, window, message, wParam, lParam);
    std::string line(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    const int copied = GetWindowTextA(window, line.data(), static_cast<int>(line.size()));
    line.resize(static_cast<std::size_t>(std::max(copied, 0)));
    std::ofstream(console->logPath, std::ios::binary | std::ios::app) << line << '\n';
    SetWindowTextA(window, "");
    return 0;
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || wParam != kTimeoutTimer)
        return DefWindowProcA(window, message, wParam, lParam);
    say("timeout");
    PostQuitMessage(kExitTimedOut);
    return 0;
}

bool create(ConsoleWindow& console, const char* className, const char* title) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = frameProc;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = className;
    if (RegisterClassA(&frameClass) == 0)
        return false;
    console.frame = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                    640, 480, nullptr, nullptr, instance, nullptr);
    if (console.frame == nullptr)
        return false;
    // The order of creation is the order a child walk sees.
    console.input = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 6, 400,
                                    520, 20, console.frame, nullptr, instance, nullptr);
    const HWND button = CreateWindowExA(0, "Button", "copy", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 530, 400,
                                        90, 20, console.frame, nullptr, instance, nullptr);
    const HWND log =
        CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 6, 6,
                        614, 388, console.frame, nullptr, instance, nullptr);
    if (console.input == nullptr || button == nullptr || log == nullptr)
        return false;
    SetWindowLongPtrA(console.input, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&console));
    console.inputProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(console.input, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputLineProc)));
    // The log file exists from the start, so "no line arrived" differs from "no console ran".
    std::ofstream(console.logPath, std::ios::binary | std::ios::trunc).flush();
    return true;
}

DWORD WINAPI watchStandardInput(LPVOID mainThread) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[256];
    DWORD got = 0;
    while (input != nullptr && input != INVALID_HANDLE_VALUE &&
           ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    }
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(mainThread)), WM_QUIT, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> option{
        {"--et", ""}, {"--qw", ""}, {"--qw-title", "ETQW Console"}, {"--decoy", ""}};
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 == argc || option.count(argv[i]) == 0) {
            std::fputs("usage: fake_game_console [--et LOG] [--qw LOG] [--qw-title TITLE] [--decoy LOG]\n",
                       stderr);
            return kExitBadArguments;
        }
        option[argv[i]] = argv[i + 1];
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    std::vector<std::unique_ptr<ConsoleWindow>> consoles;
    const auto open = [&](const std::string& logPath, const char* className, const char* title) {
        if (logPath.empty())
            return true;
        consoles.push_back(std::make_unique<ConsoleWindow>());
        consoles.back()->logPath = logPath;
        return create(*consoles.back(), className, title);
    };
    if (!open(option["--et"], "BrassbellFakeETConsole", brassbell::kEtConsoleTitle) ||
        !open(option["--qw"], brassbell::kQwConsoleClass, option["--qw-title"].c_str()) ||
        !open(option["--decoy"], "BrassbellFakeDecoy", brassbell::kQwConsoleClass)) {
        std::fprintf(stderr, "fake_game_console: cannot create its windows (error %lu)\n", GetLastError());
        return 1;
    }
    if (consoles.empty()) {
        std::fputs("fake_game_console: no console asked for\n", stderr);
        return kExitBadArguments;
    }
    SetTimer(consoles.front()->frame, kTimeoutTimer, kTimeoutMs, nullptr);

    const HANDLE watcher =
        CreateThread(nullptr, 0, watchStandardInput,
                     reinterpret_cast<LPVOID>(static_cast<std::uintptr_t>(GetCurrentThreadId())), 0, nullptr);
    say("ready");

    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (message.hwnd == nullptr && message.message == brassbell::kFakeConsoleSync) {
            say("synced");
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    for (const auto& console : consoles)
        DestroyWindow(console->frame);
    if (watcher != nullptr)
        CloseHandle(watcher);
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}
