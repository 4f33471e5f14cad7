#pragma once

#include <string>
#include <string_view>

namespace brassbell {

// The game reads its console line as single-byte ANSI text. On Windows that is the system's
// ANSI code page; elsewhere Windows-1252 stands in for it, so the same text gives the same bytes
// as on a western Windows system.
//
// A character that has no byte becomes one "?" per code point: a surrogate pair is one
// character and becomes a single "?", a lone surrogate half becomes a "?" of its own. This is
// what the system's conversion does with its default character.
std::string utf16ToAnsi(std::u16string_view text);

// The inverse, for showing what reached the game.
std::u16string ansiToUtf16(std::string_view bytes);

} // namespace brassbell
