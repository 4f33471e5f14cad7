#include "uikit/Numbers.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

TEST(UdidFromText, ReadsDecimalWholeNumbersWithin32Bits) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> key;
    };
    const auto none = std::nullopt;
    // clang-format off
    const Case cases[] = {{"7", 7}, {" 42 ", 42}, {"+3", 3}, {"-5", -5}, {"2147483647", 2147483647},
                          {"2147483648", none}, {"", none}, {"abc", none}, {"1.5", none}, {"1e3", none},
                          {"0x10", none}, {"12abc", none}};
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(keyFromText(QString::fromUtf8(c.text)), c.key) << '"' << c.text << '"';
}

} // namespace
} // namespace brassbell::testing
