#include "console/Pause.h"

#include <thread>

namespace brassbell {

void ThreadSleepPause::Sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace brassbell
