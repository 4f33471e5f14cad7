#pragma once

#include "console/Pause.h"

#include <chrono>
#include <vector>

namespace brassbell {

// A Pause that only notes what was asked of it, so a test can check the pacing of chat pieces
// without waiting for it.
class RecordingPause final : public Pause {
public:
    void Sleep(std::chrono::milliseconds duration) override { requested_.push_back(duration); }

    const std::vector<std::chrono::milliseconds>& requested() const { return requested_; }
    std::size_t count() const { return requested_.size(); }
    std::chrono::milliseconds total() const {
        std::chrono::milliseconds sum{0};
        for (const auto d : requested_) {
            sum += d;
        }
        return sum;
    }
    void clear() { requested_.clear(); }

private:
    std::vector<std::chrono::milliseconds> requested_;
};

} // namespace brassbell
