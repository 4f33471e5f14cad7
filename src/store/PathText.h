#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace brassbell {

// A path as the user reads it in a message: UTF-8 whatever the folder names hold, with the
// system's own separators. path::string() would throw on Windows for a letter outside the ANSI
// code page (a user folder "Łukasz" on a western system), and Qt hands paths over with "/".
inline std::string pathText(std::filesystem::path path) {
    const std::u8string text = path.make_preferred().u8string();
    return {text.begin(), text.end()};
}

// The inverse: a file name given as UTF-8 text, such as a command-line argument.
inline std::filesystem::path pathFromText(std::string_view utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

} // namespace brassbell
