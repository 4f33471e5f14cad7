#include "console/win32/Win32WindowSystem.h"

#include "console/win32/Win32Handles.h"

#include <exception>

namespace brassbell {

namespace {

struct EnumContext {
    const WindowSystem::EnumChildProc& callback;
    std::int32_t lParam;
    std::exception_ptr failure;
};

BOOL CALLBACK enumChildTrampoline(HWND child, LPARAM context) {
    auto& enumeration = *reinterpret_cast<EnumContext*>(context);
    try {
        return enumeration.callback(toHwnd(child), enumeration.lParam) != 0 ? TRUE : FALSE;
    } catch (...) {
        enumeration.failure = std::current_exception();
        return FALSE;
    }
}

} // namespace

Hwnd Win32WindowSystem::FindWindowA(const char* lpClassName, const char* lpWindowName) {
    return toHwnd(::FindWindowA(lpClassName, lpWindowName));
}

Hwnd Win32WindowSystem::FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                                      const char* lpszWindow) {
    return toHwnd(::FindWindowExA(toHWND(hWndParent), toHWND(hWndChildAfter), lpszClass, lpszWindow));
}

bool Win32WindowSystem::EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc,
                                         std::int32_t lParam) {
    EnumContext enumeration{lpEnumFunc, lParam, nullptr};
    const BOOL result =
        ::EnumChildWindows(toHWND(hWndParent), enumChildTrampoline, reinterpret_cast<LPARAM>(&enumeration));
    if (enumeration.failure) {
        std::rethrow_exception(enumeration.failure);
    }
    return result != FALSE;
}

int Win32WindowSystem::GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0) {
        return 0;
    }
    lpString[0] = '\0';
    const int copied = ::GetWindowTextA(toHWND(hWnd), lpString, nMaxCount);
    if (copied <= 0) {
        lpString[0] = '\0';
        return 0;
    }
    return copied;
}

std::intptr_t Win32WindowSystem::SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
    return ::SendMessageA(toHWND(hWnd), Msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

bool Win32WindowSystem::PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
    return ::PostMessageA(toHWND(hWnd), Msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) !=
           FALSE;
}

} // namespace brassbell
