// fake_game_console ET_LOG ETQW_LOG DECOY_LOG: the consoles of WindowSystemContract.h. An Enter
// appends the input line plus "\n" to its console's LOG (made once its windows exist) and empties
// it; a LOG of "-" leaves that console out. Ends when its standard input closes.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct ConsoleWindow {
    std::string logPath;
    HWND frame = nullptr;
    WNDPROC editProc = nullptr;
};

LRESULT CALLBACK inputLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* console = reinterpret_cast<ConsoleWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_CHAR || wParam != VK_RETURN)
        return CallWindowProcA(console->editProc, window, message, wParam, lParam);
    std::string line(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    line.resize(static_cast<std::size_t>(GetWindowTextA(window, line.data(), int(line.size()))));
    std::ofstream(console->logPath, std::ios::binary | std::ios::app) << line << '\n';
    SetWindowTextA(window, "");
    return 0;
}

bool create(ConsoleWindow& console, const char* className, const char* title) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = className;
    if (RegisterClassA(&frameClass) == 0)
        return false;
    console.frame = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                    nullptr, instance, nullptr);
    // The order of creation is the order a child walk sees.
    const auto child = [&](const char* childClass, const char* text, DWORD style) {
        return CreateWindowExA(0, childClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20,
                               console.frame, nullptr, instance, nullptr);
    };
    const HWND input = child("Edit", "", ES_AUTOHSCROLL);
    if (console.frame == nullptr || input == nullptr || child("Button", "copy", BS_PUSHBUTTON) == nullptr ||
        child("Edit", "", ES_MULTILINE | ES_READONLY) == nullptr)
        return false;
    SetWindowLongPtrA(input, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&console));
    console.editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(input, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputLineProc)));
    std::ofstream(console.logPath, std::ios::binary | std::ios::trunc).flush();
    return true;
}

DWORD WINAPI watchStandardInput(LPVOID mainThread) {
    char buffer[256];
    for (DWORD got = 0;
         ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0;)
        continue;
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(mainThread)), WM_QUIT, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return std::fputs("usage: fake_game_console ET_LOG ETQW_LOG DECOY_LOG\n", stderr), 2;
    const char* const classAndTitle[3][2] = {{"BrassbellFakeETConsole", "ET Console"},
                                             {"ETQW WinConsole", "ETQW Console"},
                                             {"BrassbellFakeDecoy", "ETQW WinConsole"}};
    ConsoleWindow consoles[3];
    for (int i = 0; i < 3; ++i) {
        consoles[i].logPath = argv[i + 1];
        if (consoles[i].logPath == "-")
            continue;
        if (!create(consoles[i], classAndTitle[i][0], classAndTitle[i][1])) {
            std::fprintf(stderr, "fake_game_console: cannot create its windows (error %lu)\n",
                         GetLastError());
            return 1;
        }
    }
    CreateThread(nullptr, 0, watchStandardInput,
                 reinterpret_cast<LPVOID>(static_cast<std::uintptr_t>(GetCurrentThreadId())), 0, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    for (const auto& console : consoles)
        if (console.frame != nullptr)
            DestroyWindow(console.frame);
    return 0;
}
