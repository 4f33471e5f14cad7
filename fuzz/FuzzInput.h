#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brassbell::fuzz {

// The fuzzer's bytes as UTF-16 text, two bytes a unit (little-endian). A leading odd byte is
// dropped so every unit value, surrogate halves included, can appear.
inline std::u16string utf16Units(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    return text;
}

// The same bytes as mostly-ASCII text: each byte one unit, so the dictionary's separators and
// line breaks are found quickly, while a byte ≥ 0x80 stands for the Latin-1 character.
inline std::u16string latin1Units(const std::uint8_t* data, std::size_t size) {
    return std::u16string(data, data + size);
}

} // namespace brassbell::fuzz
