#include "commands/CommandPrompts.h"
#include "uikit/Numbers.h"

#include <gtest/gtest.h>

#include <optional>

namespace brassbell {
namespace {

TEST(TimeLimitTest, NumbersRoundHalvesToEvenAndEverythingElseGivesNothing) {
    struct Case {
        const char* answer;
        char16_t localePoint;
        std::optional<std::int32_t> expected;
    };
    const auto none = std::nullopt;
    // clang-format off
    const Case cases[] = {
        {"45", u'.', 45}, {"45.5", u'.', 46}, {"44.5", u'.', 44}, {"44.51", u'.', 45}, {"44.49", u'.', 44},
        {"0.5", u'.', 0}, {"1.5", u'.', 2}, {".5", u'.', 0}, {"7.", u'.', 7}, {"  45 \t", u'.', 45},
        {"+12", u'.', 12}, {"-3", u'.', -3}, {"-2.5", u'.', -2}, {"-3.5", u'.', -4}, {"007", u'.', 7},
        {"45,5", u',', 46}, {"45.5", u',', 46}, {"2147483647", u'.', 2147483647},
        {"-2147483648", u'.', -2147483647 - 1},
        {"", u'.', none}, {"   ", u'.', none}, {"abc", u'.', none}, {"45abc", u'.', none}, {"4 5", u'.', none},
        {"+", u'.', none}, {"-.", u'.', none}, {"--5", u'.', none}, {"1e3", u'.', none}, {"1,000", u'.', none},
        {"45,5", u'.', none}, {"0x10", u'.', none}, {"2147483648", u'.', none}, {"2147483647.5", u'.', none},
        {"-2147483649", u'.', none}, {"99999999999999999999999", u'.', none}};
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(parseTimeLimit(QString::fromLatin1(c.answer), QChar(c.localePoint)), c.expected)
            << c.answer;
}

} // namespace
} // namespace brassbell
