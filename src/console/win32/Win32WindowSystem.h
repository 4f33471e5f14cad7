#pragma once

#include "console/WindowSystem.h"

namespace brassbell {

// The window system of the desktop Brassbell runs on: every call goes to user32 as it is.
// Window handles cross the interface as their low 32 bits, which is all Windows gives them
// (64-bit Windows shares handles with 32-bit processes that way).
class Win32WindowSystem final : public WindowSystem {
public:
    Hwnd FindWindowA(const char* lpClassName, const char* lpWindowName) override;
    Hwnd FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                       const char* lpszWindow) override;
    // Enumerates every descendant, as user32 does. An exception thrown by the callback ends the
    // enumeration and is rethrown here, never through user32's own frames.
    bool EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc, std::int32_t lParam) override;
    // Leaves an empty text in the buffer also when the window is gone.
    int GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) override;
    std::intptr_t SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    bool PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam) override;
};

} // namespace brassbell
