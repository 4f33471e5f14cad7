// fStr2Bytes: one byte per UTF-16 unit and a closing 0, whatever the text; ASCII unchanged,
// every other unit a byte of the western code page or "?", and the bytes read back as the text
// wherever the code page has the character.
#include "FuzzInput.h"
#include "console/AnsiCodec.h"
#include "console/ConsoleLink.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = brassbell::fuzz::utf16Units(data, size);
    const std::vector<std::uint8_t> bytes = brassbell::fStr2Bytes(text);
    if (bytes.size() != text.size() + 1 || bytes.back() != 0)
        std::abort();
    const std::u16string back = brassbell::decodeWindows1252(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), text.size()));
    if (back.size() != text.size())
        std::abort();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x80 && bytes[i] != text[i])
            std::abort();
        if (back[i] != text[i] && bytes[i] != '?')
            std::abort();
    }
    return 0;
}
