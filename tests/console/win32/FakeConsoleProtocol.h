#pragma once

#include <windows.h>

namespace brassbell {

inline constexpr const char* kEtConsoleTitle = "ET Console";
inline constexpr const char* kQwConsoleClass = "ETQW WinConsole";

// Posted to the fake console's thread; it answers "synced" once the message comes out of the
// queue, so everything posted before it (the posted Enter of ETQW) has been handled.
inline constexpr UINT kFakeConsoleSync = WM_APP + 1;

} // namespace brassbell
