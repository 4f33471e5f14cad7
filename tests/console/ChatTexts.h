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
inline std::string ascii(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

// The two pieces of longChat() as the game executes them: each after `verb`, then `end`.
inline std::string longChatLines(const std::string& verb, const std::string& end = "\n") {
    const std::string text = ascii(longChat());
    return verb + " " + text.substr(0, 139) + end + verb + " " + text.substr(139) + end;
}

} // namespace brassbell::test
