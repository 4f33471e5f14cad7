#pragma once

#include "console/WindowSystem.h"

#include <windows.h>

#include <cstdint>

namespace brassbell {

// Window handles are 32-bit values on 64-bit Windows too; widening goes by sign extension,
// as Windows itself does when a 32-bit process hands one over.
inline Hwnd toHwnd(HWND window) {
    return static_cast<Hwnd>(reinterpret_cast<std::uintptr_t>(window));
}

inline HWND toHWND(Hwnd window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}

} // namespace brassbell
