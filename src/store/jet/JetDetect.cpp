#include "store/jet/JetDetect.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace brassbell {

bool isJetDatabase(const std::filesystem::path& file) noexcept {
    constexpr std::array<char, 4> kMagic{0x00, 0x01, 0x00, 0x00};
    constexpr std::string_view kFormat = "Standard Jet DB";
    try {
        std::ifstream in(file, std::ios::binary);
        std::array<char, kMagic.size() + kFormat.size()> header{};
        if (!in.read(header.data(), static_cast<std::streamsize>(header.size())))
            return false;
        return std::equal(kMagic.begin(), kMagic.end(), header.begin()) &&
               std::string_view(header.data() + kMagic.size(), kFormat.size()) == kFormat;
    } catch (...) {
        return false;
    }
}

} // namespace brassbell
