#pragma once

#include <cstdint>

namespace brassbell {

// The random speaker's source of chance. It always starts from the same state, so with the
// same random list the same sequence of picks repeats from run to run and tests can name it.
class RandomSource {
public:
    // The next value, uniform in [0, 1) and exactly representable in single precision.
    float nextSingle();

    // A whole number from low to high, both included. Requires low <= high.
    std::int32_t fRndBetween(std::int32_t low, std::int32_t high);

private:
    std::uint32_t state_ = 0x5EED2024u;
};

} // namespace brassbell
