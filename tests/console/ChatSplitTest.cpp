#include "console/ChatSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell::testing {
namespace {

// Characters that differ along the text, so a cut in the wrong place changes the pieces.
std::u16string text(std::size_t length, char16_t first = u'A') {
    std::u16string s;
    for (std::size_t i = 0; i < length; ++i)
        s.push_back(static_cast<char16_t>(first + i % 26));
    return s;
}

TEST(ChatSplitTest, CutsAtTheSeparatorThenInto139CharacterPiecesThatGiveTheTextBack) {
    const std::u16string sep = u"|||:|||:|||:|||";
    // clang-format off
    const std::pair<std::u16string, std::vector<std::size_t>> cases[] = {
        {text(0), {0, 0}}, {text(139), {139, 0}}, {text(140), {139, 1}}, {text(277), {139, 138}},
        {text(278), {139, 139, 0}}, {text(400), {139, 139, 122}}, {u"first" + sep + u"second", {5, 6, 0}},
        {sep, {0, 0, 0}},
        // A text ending in the first part of the separator is no separator and comes back whole.
        {u"gg |||:", {7, 0}}, {u"a|||:|||:", {9, 0}},
        {text(100, u'a') + sep + text(60), {100, 60, 0}}, {text(200, u'a') + sep + text(10), {139, 61, 10, 0}},
        {text(140, u'a') + sep + text(5), {139, 1, 5, 0}}, {sep + text(150), {0, 139, 11, 0}},
        {text(130, u'a') + sep + text(20), {130, 20, 0}}, // the separator straddles the 139th character
        {text(278, u'a') + sep, {139, 139, 0, 0}}};
    // clang-format on
    for (const auto& [original, lengths] : cases) {
        std::u16string expected = original;
        for (std::size_t at; (at = expected.find(sep)) != std::u16string::npos;)
            expected.erase(at, sep.size());
        std::u16string joined;
        std::vector<std::size_t> cut;
        for (const auto& piece : fSplitText(original))
            joined += piece, cut.push_back(piece.size());
        EXPECT_EQ(cut, lengths) << ::testing::PrintToString(lengths);
        EXPECT_EQ(joined, expected);
    }
}

} // namespace
} // namespace brassbell::testing
