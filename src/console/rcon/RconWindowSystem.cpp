#include "console/rcon/RconWindowSystem.h"

#include "console/rcon/RconSender.h"

#include <cstring>

namespace brassbell {

namespace {

constexpr const char* kConsoleTitle = "ET Console";
constexpr const char* kConsoleClass = "Brassbell rcon";

// A null name matches any window; an empty one only a window whose text is empty.
bool matches(const char* wanted, const char* actual) {
    return wanted == nullptr || std::strcmp(wanted, actual) == 0;
}

} // namespace

RconWindowSystem::RconWindowSystem(RconSender& sender, RefusalSink refused, std::function<void()> queued)
    : sender_(sender), refused_(std::move(refused)), queued_(std::move(queued)) {}

Hwnd RconWindowSystem::FindWindowA(const char* lpClassName, const char* lpWindowName) {
    if (!matches(lpClassName, kConsoleClass) || !matches(lpWindowName, kConsoleTitle))
        return 0;
    return sender_.serverAnswers() ? kConsole : 0;
}

Hwnd RconWindowSystem::FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                                     const char* lpszWindow) {
    if (hWndParent != kConsole || hWndChildAfter != 0 || !matches(lpszClass, "Edit") ||
        !matches(lpszWindow, ""))
        return 0;
    return kInputLine;
}

bool RconWindowSystem::EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc,
                                        std::int32_t lParam) {
    if (hWndParent != kConsole)
        return false;
    lpEnumFunc(kInputLine, lParam);
    return true;
}

int RconWindowSystem::GetWindowTextA(Hwnd /*hWnd*/, char* lpString, int nMaxCount) {
    // The input line has no caption, and the console window's title is not asked for.
    if (nMaxCount > 0)
        lpString[0] = '\0';
    return 0;
}

std::intptr_t RconWindowSystem::SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    if (hWnd != kInputLine)
        return 0;
    if (Msg == WM_SETTEXT) {
        const std::string line(reinterpret_cast<const char*>(lParam));
        if (const std::string why = refusalOf(line); !why.empty()) {
            inputLine_.clear();
            if (refused_)
                refused_(line, why);
            return 0;
        }
        inputLine_ = line;
        return 1;
    }
    if (Msg == WM_CHAR && wParam == 13) {
        // Enter on an empty line runs nothing on a game console either.
        if (!inputLine_.empty()) {
            sender_.send(std::move(inputLine_));
            if (queued_)
                queued_();
        }
        inputLine_.clear();
    }
    return 0;
}

bool RconWindowSystem::PostMessageA(Hwnd /*hWnd*/, std::uint32_t /*Msg*/, std::uintptr_t /*wParam*/,
                                    std::intptr_t /*lParam*/) {
    // Only the ETQW console takes posted keys, and this console is never ETQW's.
    return false;
}

std::string RconWindowSystem::refusalOf(std::string_view line) const {
    if (line.find_first_of("\r\n") != std::string_view::npos)
        return "The line holds a line break, and the server would carry out only what stands before it.";
    if (line.size() > sender_.longestCommand())
        return "The line is " + std::to_string(line.size()) + " bytes long; the server takes at most " +
               std::to_string(sender_.longestCommand()) + " in one command.";
    return {};
}

} // namespace brassbell
