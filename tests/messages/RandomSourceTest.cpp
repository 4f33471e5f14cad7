#include "messages/RandomSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <stdexcept>

namespace brassbell::testing {
namespace {

TEST(RandomSourceTest, BetweenReachesBothBoundsAndNothingOutside) {
    for (const auto& [low, high] : {std::pair{0, 1}, {0, 4}, {-3, 3}, {7, 7}}) {
        SCOPED_TRACE(::testing::Message() << low << ".." << high);
        RandomSource source;
        std::set<std::int32_t> seen;
        for (int n = 0; n < 2000; ++n)
            seen.insert(source.fRndBetween(low, high));
        EXPECT_EQ(*seen.begin(), low);
        EXPECT_EQ(*seen.rbegin(), high);
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(high - low + 1));
    }
    // The whole 32-bit range is one span more than 32 bits can count; it must not wrap to nothing.
    // A fresh source starts from the same state, and the value is the top 24 bits of each step.
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    RandomSource wide;
    EXPECT_EQ(wide.fRndBetween(min, std::numeric_limits<std::int32_t>::max()), 11324397LL * 256 + min);
    EXPECT_EQ(wide.fRndBetween(min, std::numeric_limits<std::int32_t>::max()), 7161680LL * 256 + min);
    EXPECT_THROW(wide.fRndBetween(2, 1), std::invalid_argument);
}

} // namespace
} // namespace brassbell::testing
