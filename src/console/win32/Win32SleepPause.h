#pragma once

#include "console/Pause.h"

#include <cstdint>

namespace brassbell {

// The pause between chat pieces as kernel32's Sleep.
class Win32SleepPause final : public Pause {
public:
    void Sleep(std::chrono::milliseconds duration) override;
};

// The argument handed to kernel32's Sleep: negative durations do not wait, and no duration
// becomes INFINITE (0xFFFFFFFF), which would never return.
std::uint32_t sleepMilliseconds(std::chrono::milliseconds duration);

} // namespace brassbell
