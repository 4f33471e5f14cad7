#pragma once

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brassbell {

// The file could not be read at all: gone, not a regular file, no permission, an I/O error.
class IniReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The longest value handed back, as with a 1024-character buffer ended by NUL.
inline constexpr std::size_t kIniValueLimit = 1023;

// Reads the values of `keys` in the first section named `section` of a Windows INI file, in one
// pass, as the system's profile reader answers them: names compared regardless of ASCII letter
// case, blanks and tabs around names and values dropped, one pair of matching quotes around a
// value removed, the first matching key winning (a key line without "=" too, with the empty
// value), a missing key read as the empty text, values cut at a NUL byte and then to
// kIniValueLimit bytes, a "[" line without "]" no section header. Lines end at CR, LF or CR LF.
// The bytes come back as they stand in the file (the ANSI code page). Memory stays bounded
// whatever the file holds, and reading stops once the section has ended.
// Throws IniReadError when the file cannot be read.
std::vector<std::string> readIniValues(const std::filesystem::path& file, std::string_view section,
                                       std::span<const std::string_view> keys);

} // namespace brassbell
