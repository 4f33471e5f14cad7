#include "messages/SpeakInterval.h"

#include <cmath>
#include <limits>

namespace brassbell {

IntervalJudgement judgeInterval(double number) {
    // The default rounding mode rounds halves to the even neighbour.
    const double rounded = std::nearbyint(number);
    if (std::isnan(rounded) || rounded < kShortestRndInterval)
        return {IntervalVerdict::TooShort, 0};
    if (rounded > kLongestRndInterval)
        return {IntervalVerdict::TooLong, 0};
    return {IntervalVerdict::Accepted, static_cast<std::int32_t>(rounded)};
}

std::optional<std::int32_t> rndTickMillis(std::int32_t seconds) {
    const std::int64_t millis = std::int64_t{seconds} * 10;
    if (millis <= 0 || millis > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(millis);
}

} // namespace brassbell
