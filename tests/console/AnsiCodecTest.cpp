#include "console/AnsiCodec.h"
#include "console/ConsoleLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell::testing {
namespace {

TEST(AnsiCodecTest, GivesOneWindows1252ByteForEachCharacterThenZero) {
    // clang-format off
    const std::pair<std::u16string, std::vector<std::uint8_t>> cases[] = {
        {u"abc", {97, 98, 99, 0}}, {u"", {0}}, {u"\u00E9\u00FF\u00A0", {0xE9, 0xFF, 0xA0, 0}},
        {u"\u20AC\u201A\u017E\u0178", {0x80, 0x82, 0x9E, 0x9F, 0}},
        {u"\u0081", {0x81, 0}},                       // an undefined byte round-trips
        {u"\u0080", {'?', 0}},                        // a C1 control without a byte
        {u"a\u0100\u4E2Db", {'a', '?', '?', 'b', 0}}, // outside the code page
        {u"x\U0001F600y", {'x', '?', '?', 'y', 0}},   // a surrogate pair is two units
        {u"\xD83D-\xDE00", {'?', '-', '?', 0}}};      // lone surrogate halves
    // clang-format on
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(fStr2Bytes(text), bytes) << ::testing::PrintToString(text);
}

TEST(AnsiCodecTest, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(utf16ToAnsi(ansiToUtf16(byte)), byte) << b;
    }
}

} // namespace
} // namespace brassbell::testing
