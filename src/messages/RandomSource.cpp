#include "messages/RandomSource.h"

#include <cmath>
#include <stdexcept>

namespace brassbell {

float RandomSource::nextSingle() {
    // A full-period 32-bit linear congruential step; its low bits are weak, so only the
    // top 24 bits are used, which a float holds exactly and which keep the value below 1.
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
}

std::int32_t RandomSource::fRndBetween(std::int32_t low, std::int32_t high) {
    if (high < low)
        throw std::invalid_argument("fRndBetween: the upper bound lies below the lower bound");
    // The span of the whole 32-bit range does not fit in 32 bits, so it is counted in 64.
    const std::int64_t span = std::int64_t{high} - std::int64_t{low} + 1;
    const double u = nextSingle();
    return static_cast<std::int32_t>(std::floor(u * static_cast<double>(span) + static_cast<double>(low)));
}

} // namespace brassbell
