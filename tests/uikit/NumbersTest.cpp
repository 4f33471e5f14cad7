#include "uikit/Numbers.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

namespace brassbell::testing {
namespace {

const auto none = std::nullopt;

TEST(NumbersTest, KeysAndStoredTabsAreDecimalWholeNumbersWithinTheirRange) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> key;
        std::optional<std::int16_t> tab;
    };
    // clang-format off
    const Case cases[] = {
        {"7", 7, 7}, {" 42 ", 42, 42}, {"+3", 3, 3}, {"-5", -5, -5}, {"32767", 32767, 32767},
        {"-32768", -32768, -32768}, {"32768", 32768, none}, {"-32769", -32769, none}, {"70000", 70000, none},
        {"2147483647", 2147483647, none}, {"2147483648", none, none}, {"", none, none}, {"abc", none, none},
        {"1.5", none, none}, {"1e3", none, none}, {"0x10", none, none}, {"12abc", none, none}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(keyFromText(QString::fromUtf8(c.text)), c.key);
        EXPECT_EQ(int16FromText(QString::fromUtf8(c.text)), c.tab);
    }
}

TEST(NumbersTest, IntervalsReadPlainSignedAndDecimalFormsOnlyAndTooManyDigitsAsInfinite) {
    struct Case {
        QString text;
        std::optional<double> c;      // read in the C locale
        std::optional<double> german; // read where the decimal separator is ","
    };
    const double inf = std::numeric_limits<double>::infinity();
    const QString huge = "9" + QString(400, u'9');
    // clang-format off
    const Case cases[] = {
        {"15", 15, 15}, {" 15 ", 15, 15}, {"+15", 15, 15}, {"-3", -3, -3}, {"15.5", 15.5, 15.5},
        {"15,5", none, 15.5}, {"15.", 15, 15}, {".5", 0.5, 0.5}, {"", none, none}, {"-", none, none},
        {".", none, none}, {"1e3", none, none}, {"15a", none, none}, {"1.2.3", none, none},
        {"1,5.5", none, none}, {"1 5", none, none}, {"0x10", none, none}, {"--1", none, none},
        {huge, inf, inf}, {"-" + huge, -inf, -inf}};
    // clang-format on
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(readIntervalNumber(c.text, QLocale::c()), c.c);
        EXPECT_EQ(readIntervalNumber(c.text, german), c.german);
    }
}

TEST(NumbersTest, TimeLimitsRoundHalvesToEvenAndEverythingElseGivesNothing) {
    struct Case {
        const char* answer;
        char16_t localePoint;
        std::optional<std::int32_t> expected;
    };
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
} // namespace brassbell::testing
