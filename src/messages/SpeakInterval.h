#pragma once

#include <cstdint>
#include <optional>

namespace brassbell {

// The random speaker's interval in whole seconds, as typed into the seconds box.
inline constexpr std::int32_t kShortestRndInterval = 15;
// A tick is a hundredth of the interval and the timer's longest tick is 65,535 ms.
inline constexpr std::int32_t kLongestRndInterval = 6553;

enum class IntervalVerdict { Accepted, TooShort, TooLong };

struct IntervalJudgement {
    IntervalVerdict verdict;
    std::int32_t seconds; // the rounded value, only meaningful when accepted
};

// Rounds to the nearest whole number, halves to the even one, and checks the range.
IntervalJudgement judgeInterval(double number);

// The tick length for an interval: seconds × 10 ms in 32 bits. Empty when the product does
// not fit or when it would not be a positive tick.
std::optional<std::int32_t> rndTickMillis(std::int32_t seconds);

} // namespace brassbell
