#pragma once

#include <string>
#include <string_view>

namespace brassbell::test {

// 278 characters, two full chat pieces, whose letters show where each piece starts and ends.
inline std::u16string longChat() {
    std::u16string text;
    for (int i = 0; i < 278; ++i)
        text += static_cast<char16_t>(u'a' + i % 26);
    return text;
}

// An ASCII text as the bytes the game receives.
inline std::string ascii(std::u16string_view text) { return std::string(text.begin(), text.end()); }

} // namespace brassbell::test
