#include "console/AnsiCodec.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

#include <array>

namespace brassbell {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the rest of the code page equals its Unicode code point.
// The five bytes the code page leaves undefined map to the C1 control of the same value, as
// the system's own table does, so every byte round-trips.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::u16string decodeWindows1252(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text.push_back(u >= 0x80 && u <= 0x9F ? kCp1252High[u - 0x80u] : static_cast<char16_t>(u));
    }
    return text;
}

#ifdef _WIN32

std::string utf16ToAnsi(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    // WC_NO_BEST_FIT_CHARS: a letter the code page lacks becomes "?" rather than a look-alike,
    // so a western system sends the same bytes as the Windows-1252 path does elsewhere. A system
    // set to the UTF-8 code page has every letter and refuses both the flag and the "?".
    const UINT codePage = GetACP();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* replacement = utf8 ? nullptr : "?";
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int wideLength = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(codePage, flags, wide, wideLength, nullptr, 0, replacement, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide, wideLength, bytes.data(), needed, replacement, nullptr);
    return bytes;
}

std::u16string ansiToUtf16(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int byteLength = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, reinterpret_cast<wchar_t*>(text.data()), needed);
    return text;
}

#else

namespace {

char cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(c));
    }
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == c) {
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
        }
    }
    return '?';
}

} // namespace

std::string utf16ToAnsi(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t c : text) {
        bytes.push_back(cp1252Byte(c));
    }
    return bytes;
}

std::u16string ansiToUtf16(std::string_view bytes) {
    return decodeWindows1252(bytes);
}

#endif

} // namespace brassbell
