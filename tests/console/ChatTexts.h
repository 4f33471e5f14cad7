#pragma once

#include <string>

namespace brassbell::testing {

// 278 characters, two full chat pieces, whose letters show where each piece starts and ends.
inline std::u16string longChat() {
    std::u16string text;
    for (int i = 0; i < 278; ++i)
        text += static_cast<char16_t>(u'a' + i % 26);
    return text;
}

// The two pieces of longChat() as the game executes them, each after `verb`.
inline std::string longChatLines(const std::string& verb) {
    const std::u16string chat = longChat();
    const std::string bytes(chat.begin(), chat.end());
    return verb + " " + bytes.substr(0, 139) + "\n" + verb + " " + bytes.substr(139) + "\n";
}

} // namespace brassbell::testing
