#pragma once

#include <string>
#include <string_view>

namespace brassbell {

// libmdb and the console speak UTF-8, Brassbell's texts are UTF-16. Malformed input
// becomes U+FFFD rather than being dropped.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

} // namespace brassbell
