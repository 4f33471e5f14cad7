#include "uikit/Numbers.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace brassbell::testing {
namespace {

const auto none = std::nullopt;

TEST(NumbersTest, KeysAndStoredTabsAreDecimalWholeNumbersWithinTheirRange) {
    // The text, read as a key and as a stored tab.
    // clang-format off
    const std::tuple<const char*, std::optional<std::int32_t>, std::optional<std::int16_t>> cases[] = {
        {"7", 7, 7}, {" 42 ", 42, 42}, {"+3", 3, 3}, {"-5", -5, -5}, {"32767", 32767, 32767},
        {"-32768", -32768, -32768}, {"32768", 32768, none}, {"-32769", -32769, none}, {"70000", 70000, none},
        {"2147483647", 2147483647, none}, {"2147483648", none, none}, {"", none, none}, {"abc", none, none},
        {"1.5", none, none}, {"1e3", none, none}, {"0x10", none, none}, {"12abc", none, none}};
    // clang-format on
    for (const auto& [text, key, tab] : cases) {
        EXPECT_EQ(keyFromText(QString::fromUtf8(text)), key) << text;
        EXPECT_EQ(int16FromText(QString::fromUtf8(text)), tab) << text;
    }
}

TEST(NumbersTest, IntervalsReadPlainSignedAndDecimalFormsOnlyAndTooManyDigitsAsInfinite) {
    const double inf = std::numeric_limits<double>::infinity();
    const QString huge = "9" + QString(400, u'9');
    // The text, read in the C locale and where the decimal separator is ",".
    // clang-format off
    const std::tuple<QString, std::optional<double>, std::optional<double>> cases[] = {
        {"15", 15, 15}, {" 15 ", 15, 15}, {"+15", 15, 15}, {"-3", -3, -3}, {"15.5", 15.5, 15.5},
        {"15,5", none, 15.5}, {"15.", 15, 15}, {".5", 0.5, 0.5}, {"", none, none}, {"-", none, none},
        {".", none, none}, {"1e3", none, none}, {"15a", none, none}, {"1.2.3", none, none},
        {"1,5.5", none, none}, {"1 5", none, none}, {"0x10", none, none}, {"--1", none, none},
        {huge, inf, inf}, {"-" + huge, -inf, -inf}};
    // clang-format on
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const auto& [text, inC, inGerman] : cases) {
        EXPECT_EQ(readIntervalNumber(text, QLocale::c()), inC) << text.toStdString();
        EXPECT_EQ(readIntervalNumber(text, german), inGerman) << text.toStdString();
    }
}

TEST(NumbersTest, TimeLimitsRoundHalvesToEvenAndEverythingElseGivesNothing) {
    // The answer, the locale's decimal point and the minutes.
    // clang-format off
    const std::tuple<const char*, char16_t, std::optional<std::int32_t>> cases[] = {
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
    for (const auto& [answer, point, minutes] : cases)
        EXPECT_EQ(parseTimeLimit(QString::fromLatin1(answer), QChar(point)), minutes) << answer;
}

} // namespace
} // namespace brassbell::testing
