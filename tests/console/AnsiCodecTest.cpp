#include "console/AnsiCodec.h"
#include "console/ConsoleLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell {
namespace {

struct BytesCase {
    const char* name;
    std::u16string text;
    std::vector<std::uint8_t> bytes;
};

class Str2BytesTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(Str2BytesTest, GivesOneByteForEachCharacterThenZero) {
    EXPECT_EQ(fStr2Bytes(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Windows1252, Str2BytesTest,
    ::testing::Values(BytesCase{"Ascii", u"abc", {97, 98, 99, 0}}, BytesCase{"Empty", u"", {0}},
                      BytesCase{"Latin1", u"\u00E9\u00FF\u00A0", {0xE9, 0xFF, 0xA0, 0}},
                      BytesCase{"HighRange", u"\u20AC\u201A\u017E\u0178", {0x80, 0x82, 0x9E, 0x9F, 0}},
                      BytesCase{"UndefinedByteRoundTrips", u"\u0081", {0x81, 0}},
                      BytesCase{"C1ControlWithoutByte", u"\u0080", {'?', 0}},
                      BytesCase{"OutsideCodePage", u"a\u0100\u4E2Db", {'a', '?', '?', 'b', 0}},
                      BytesCase{"SurrogatePairIsTwoUnits", u"x\U0001F600y", {'x', '?', '?', 'y', 0}},
                      BytesCase{"LoneSurrogateHalves", u"\xD83D-\xDE00", {'?', '-', '?', 0}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AnsiCodecTest, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::u16string text = ansiToUtf16(byte);
        ASSERT_EQ(text.size(), 1u) << b;
        EXPECT_EQ(utf16ToAnsi(text), byte) << b;
    }
}

struct StripCase {
    std::string text;
    std::string expected;
};

TEST(StripNullTest, CutsAtTheFirstNul) {
    const std::vector<StripCase> cases = {
        {"abc", "abc"}, {std::string("\0abc", 4), ""}, {std::string("ab\0cd\0", 6), "ab"},
        {"", ""},       {std::string(260, '\0'), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fStripNull(c.text), c.expected);
    }
}

} // namespace
} // namespace brassbell
