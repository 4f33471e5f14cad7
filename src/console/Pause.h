#pragma once

#include <chrono>

namespace brassbell {

// The pause between chat pieces: a real sleep of the calling thread in the program,
// a recorder in tests.
class Pause {
public:
    virtual ~Pause() = default;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

class ThreadSleepPause final : public Pause {
public:
    void Sleep(std::chrono::milliseconds duration) override;
};

} // namespace brassbell
