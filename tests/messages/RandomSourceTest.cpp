#include "messages/RandomSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <stdexcept>
#include <vector>

namespace brassbell::testing {
namespace {

TEST(RandomSourceTest, StartsFromTheSameStateEveryTime) {
    RandomSource source;
    const std::vector<float> expected = {11324397.0f / 16777216.0f, 7161680.0f / 16777216.0f,
                                         1791507.0f / 16777216.0f, 14437635.0f / 16777216.0f};
    for (const float value : expected)
        EXPECT_EQ(source.nextSingle(), value);
}

TEST(RandomSourceTest, ValuesStayInTheHalfOpenUnitRangeAndSpreadEvenly) {
    RandomSource source;
    std::vector<int> buckets(10, 0);
    const int draws = 100000;
    for (int n = 0; n < draws; ++n) {
        const float u = source.nextSingle();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        ++buckets[static_cast<std::size_t>(u * 10.0f)];
    }
    for (const int count : buckets) {
        EXPECT_GT(count, draws / 10 * 95 / 100);
        EXPECT_LT(count, draws / 10 * 105 / 100);
    }
}

TEST(RandomSourceTest, BetweenReachesBothBoundsAndNothingOutside) {
    struct Case {
        std::int32_t low;
        std::int32_t high;
    };
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    for (const Case c : {Case{0, 1}, Case{0, 4}, Case{-3, 3}, Case{7, 7}}) {
        SCOPED_TRACE(::testing::Message() << c.low << ".." << c.high);
        RandomSource source;
        std::map<std::int32_t, int> seen;
        for (int n = 0; n < 2000; ++n)
            ++seen[source.fRndBetween(c.low, c.high)];
        EXPECT_EQ(seen.begin()->first, c.low);
        EXPECT_EQ(seen.rbegin()->first, c.high);
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.high - c.low + 1));
    }
    // The whole 32-bit range is one span more than 32 bits can count; it must not wrap to nothing.
    RandomSource wide;
    EXPECT_EQ(wide.fRndBetween(min, max), 11324397LL * 256 + min);
    EXPECT_EQ(wide.fRndBetween(min, max), 7161680LL * 256 + min);
    EXPECT_THROW(wide.fRndBetween(2, 1), std::invalid_argument);
}

} // namespace
} // namespace brassbell::testing
