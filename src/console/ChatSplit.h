#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brassbell {

// A line break inside a console line would end the line in the game and run the rest as a
// command, so chat is cut into its lines first: at CR, LF or CR LF.
std::vector<std::u16string_view> splitChatLines(std::u16string_view text);

// Cuts a chat text into console-sized pieces of at most 139 characters; the separator
// "|||:|||:|||:|||" marks further cuts and is never part of a piece.
std::vector<std::u16string> fSplitText(std::u16string_view text);

} // namespace brassbell
