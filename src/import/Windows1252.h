#pragma once

#include <string>
#include <string_view>

namespace brassbell {

// The western ANSI code page, which stands in for the system's ANSI code page off Windows.
// The five bytes the code page leaves undefined map to the control characters of the same
// value, as the system's own conversion does.
std::u16string decodeWindows1252(std::string_view bytes);

} // namespace brassbell
