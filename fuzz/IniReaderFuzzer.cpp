// The INI reader on any file: it reads or refuses with IniReadError, never crashes, and every
// value it hands back is at most kIniValueLimit bytes with no NUL, one per key asked for.
#include "import/IniReader.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::filesystem::path& scratchFile() {
    static const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                              ("brassbell-ini-fuzz-" + std::to_string(::getpid()) + ".ini");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // The import's own section and keys, plus a case twin and a key that is blank-padded.
    static constexpr std::array<std::string_view, 5> kKeys = {"Say1", "say2", "Say3", "SAY10", " Say4"};
    try {
        const std::vector<std::string> values = brassbell::readIniValues(scratchFile(), "SayStrings", kKeys);
        if (values.size() != kKeys.size())
            std::abort();
        for (const std::string& value : values) {
            if (value.size() > brassbell::kIniValueLimit || value.find('\0') != std::string::npos)
                std::abort();
        }
    } catch (const brassbell::IniReadError&) {
    }
    return 0;
}
