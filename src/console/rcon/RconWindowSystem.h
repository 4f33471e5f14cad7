#pragma once

#include "console/WindowSystem.h"

#include <functional>
#include <string>
#include <string_view>

namespace brassbell {

class RconSender;

// The server's remote console dressed as the ET console window, so the console link reaches a
// server as it reaches a game: the window is there while the server answers, its input line
// takes a line, and Enter hands the line to the sender. A line the server could not take whole
// is refused (WM_SETTEXT answers 0), so no Enter follows and nothing is sent.
class RconWindowSystem final : public WindowSystem {
public:
    // Told why a line was not sent; the line as the game would have received it.
    using RefusalSink = std::function<void(const std::string& line, const std::string& why)>;

    static constexpr Hwnd kConsole = 0x00020010;
    static constexpr Hwnd kInputLine = 0x00020020;

    // `queued` is told after each line handed to the sender.
    RconWindowSystem(RconSender& sender, RefusalSink refused, std::function<void()> queued = {});

    Hwnd FindWindowA(const char* lpClassName, const char* lpWindowName) override;
    Hwnd FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                       const char* lpszWindow) override;
    bool EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc, std::int32_t lParam) override;
    int GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) override;
    std::intptr_t SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    bool PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    // Why the server could not take this line as one command; empty when it can.
    std::string refusalOf(std::string_view line) const;

    RconSender& sender_;
    RefusalSink refused_;
    std::function<void()> queued_;
    std::string inputLine_;
};

} // namespace brassbell
