#include "console/ChatSplit.h"

namespace brassbell {

namespace {

constexpr std::u16string_view kPieceSeparator = u"|||:|||:|||:|||";
constexpr std::size_t kPieceLength = 139;

std::vector<std::u16string> splitAt(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::u16string_view::npos;
         at = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

} // namespace

std::vector<std::u16string_view> splitChatLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find_first_of(u"\r\n"); at != std::u16string_view::npos;
         at = text.find_first_of(u"\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        const bool crLf = text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n';
        start = at + (crLf ? 2 : 1);
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::u16string> fSplitText(std::u16string_view text) {
    if (text.size() < kPieceLength + 1) {
        // Cut at the text's own separators, then end with the empty piece the closing marker
        // gives. Looking for the marker across the text's end would take a text ending in
        // part of it (such as "gg |||:") for a separator and send it altered.
        std::vector<std::u16string> pieces = splitAt(text, kPieceSeparator);
        pieces.emplace_back();
        return pieces;
    }
    const bool holdsSeparator = text.find(kPieceSeparator) != std::u16string_view::npos;
    if (!holdsSeparator) {
        // Full pieces, then the rest, which is empty when the length is a multiple of 139.
        std::vector<std::u16string> pieces;
        std::size_t start = 0;
        for (; text.size() - start >= kPieceLength; start += kPieceLength) {
            pieces.emplace_back(text.substr(start, kPieceLength));
        }
        pieces.emplace_back(text.substr(start));
        return pieces;
    }
    // A long text that marks its own cuts: every marked part is cut into pieces of at most 139
    // characters (an empty part stays one empty piece), and the list ends with an empty piece,
    // as a short text's does.
    std::vector<std::u16string> pieces;
    for (const std::u16string& part : splitAt(text, kPieceSeparator)) {
        std::size_t start = 0;
        do {
            pieces.push_back(part.substr(start, kPieceLength));
            start += kPieceLength;
        } while (start < part.size());
    }
    pieces.emplace_back();
    return pieces;
}

} // namespace brassbell
