#include "console/win32/Win32SleepPause.h"

#include <windows.h>

namespace brassbell {

std::uint32_t sleepMilliseconds(std::chrono::milliseconds duration) {
    constexpr std::int64_t longest = static_cast<std::int64_t>(INFINITE) - 1;
    const std::int64_t count = duration.count();
    if (count <= 0) {
        return 0;
    }
    return static_cast<std::uint32_t>(count < longest ? count : longest);
}

void Win32SleepPause::Sleep(std::chrono::milliseconds duration) {
    ::Sleep(sleepMilliseconds(duration));
}

} // namespace brassbell
