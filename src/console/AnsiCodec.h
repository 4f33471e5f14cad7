#pragma once

#include <string>
#include <string_view>

namespace brassbell {

// The game reads its console line as single-byte ANSI text. On Windows that is the system's
// ANSI code page; elsewhere Windows-1252 stands in for it, so the same text gives the same bytes
// as on a western Windows system.
//
// A character that has no byte becomes "?". Lengths count UTF-16 units, so each half of a
// surrogate pair becomes a "?" of its own, as the system's conversion does too: a line of n
// units is n bytes, and a pair that a 139-unit cut has parted reads no differently. Only a
// Windows set to the UTF-8 code page differs: there the line is UTF-8, which the system reads
// back to the same text.
std::string utf16ToAnsi(std::u16string_view text);

// The inverse, for showing what reached the game.
std::u16string ansiToUtf16(std::string_view bytes);

// The western code page itself, on every system: what ansiToUtf16 gives off Windows.
std::u16string decodeWindows1252(std::string_view bytes);

} // namespace brassbell
