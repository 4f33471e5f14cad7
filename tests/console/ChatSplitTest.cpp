#include "console/ChatSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell {
namespace {

const std::u16string kSeparator = u"|||:|||:|||:|||";

// Characters that differ along the text, so a cut in the wrong place changes the pieces.
std::u16string text(std::size_t length, char16_t first = u'A') {
    std::u16string s;
    for (std::size_t i = 0; i < length; ++i)
        s.push_back(static_cast<char16_t>(first + i % 26));
    return s;
}

std::vector<std::size_t> lengths(const std::vector<std::u16string>& pieces) {
    std::vector<std::size_t> result;
    for (const auto& piece : pieces)
        result.push_back(piece.size());
    return result;
}

std::u16string joined(const std::vector<std::u16string>& pieces) {
    std::u16string all;
    for (const auto& piece : pieces)
        all += piece;
    return all;
}

TEST(SplitTextTest, CutsInto139CharacterPiecesThatGiveTheTextBack) {
    const std::pair<std::size_t, std::vector<std::size_t>> cases[] = {
        {0, {0, 0}},       {139, {139, 0}},      {140, {139, 1}},
        {277, {139, 138}}, {278, {139, 139, 0}}, {400, {139, 139, 122}},
    };
    for (const auto& [length, expected] : cases) {
        const std::u16string original = text(length);
        const auto pieces = fSplitText(original);
        EXPECT_EQ(lengths(pieces), expected) << length;
        EXPECT_EQ(joined(pieces), original);
    }
}

TEST(SplitTextTest, ShortTextIsAlsoCutAtTheSeparator) {
    EXPECT_EQ(fSplitText(u"first" + kSeparator + u"second"),
              (std::vector<std::u16string>{u"first", u"second", u""}));
    EXPECT_EQ(fSplitText(kSeparator), (std::vector<std::u16string>{u"", u"", u""}));
    // A text ending in the first part of the separator is no separator and comes back whole.
    EXPECT_EQ(fSplitText(u"gg |||:"), (std::vector<std::u16string>{u"gg |||:", u""}));
    EXPECT_EQ(fSplitText(u"a|||:|||:"), (std::vector<std::u16string>{u"a|||:|||:", u""}));
}

TEST(SplitTextTest, LongTextIsCutAtTheSeparatorThenInto139CharacterPieces) {
    struct {
        std::size_t before;
        std::size_t after;
        std::vector<std::size_t> pieces;
    } const cases[] = {
        {100, 60, {100, 60, 0}},   {200, 10, {139, 61, 10, 0}},
        {130, 20, {130, 20, 0}}, // the separator straddles the 139th character
        {0, 150, {0, 139, 11, 0}}, {278, 0, {139, 139, 0, 0}},
    };
    for (const auto& c : cases) {
        const std::u16string before = text(c.before, u'a');
        const std::u16string after = text(c.after, u'A');
        const auto pieces = fSplitText(before + kSeparator + after);
        EXPECT_EQ(lengths(pieces), c.pieces) << c.before << "+" << c.after;
        EXPECT_EQ(joined(pieces), before + after);
        for (const auto& piece : pieces)
            EXPECT_EQ(piece.find(u'|'), std::u16string::npos);
    }
}

} // namespace
} // namespace brassbell
