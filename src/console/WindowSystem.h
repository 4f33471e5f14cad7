#pragma once

#include <cstdint>
#include <functional>

namespace brassbell {

// A window handle as the window system hands it out; 0 means "no window".
using Hwnd = std::uint32_t;

inline constexpr std::uint32_t WM_SETTEXT = 0x000C;
inline constexpr std::uint32_t WM_CHAR = 0x0102;

// The window-system calls the console link makes, one to one with the Win32 functions of
// the same names and with their semantics: a null pointer for a class or window name
// matches any window, while an empty text matches only an empty one. For WM_SETTEXT,
// lParam is the address of a NUL-ended byte string.
class WindowSystem {
public:
    // Returns 1 to go on with the next child, 0 to stop the enumeration.
    using EnumChildProc = std::function<std::int32_t(Hwnd child, std::int32_t lParam)>;

    virtual ~WindowSystem() = default;

    virtual Hwnd FindWindowA(const char* lpClassName, const char* lpWindowName) = 0;
    virtual Hwnd FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                               const char* lpszWindow) = 0;
    // Calls lpEnumFunc once per child, in the system's order, until it returns 0.
    virtual bool EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc, std::int32_t lParam) = 0;
    // Copies at most nMaxCount - 1 bytes of the window's text and a NUL; returns the bytes copied.
    virtual int GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) = 0;
    virtual std::intptr_t SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
    virtual bool PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

} // namespace brassbell
