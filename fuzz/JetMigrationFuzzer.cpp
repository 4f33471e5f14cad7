// The Jet migration fed mutated copies of an old Rules.mdb (the seed corpus holds the sample
// file): it converts or refuses with JetMigrationError, never crashes, and a refused file is
// left exactly as it was, with nothing new beside it. A converted file keeps its original as
// the backup, byte for byte.
#include "store/jet/JetMigration.h"

#include <unistd.h>

#include "FuzzRequire.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path& scratchFolder() {
    static const fs::path folder =
        fs::temp_directory_path() / ("brassbell-jet-fuzz-" + std::to_string(::getpid()));
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& folder = scratchFolder();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    const fs::path rules = folder / "Rules.mdb";
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(rules, std::ios::binary);
        out << input;
    }
    try {
        const brassbell::MigrationReport report = brassbell::migrateInPlace(rules);
        BRASSBELL_FUZZ_REQUIRE(report.backup && bytesOf(*report.backup) == input);
    } catch (const brassbell::JetMigrationError& error) {
        BRASSBELL_FUZZ_REQUIRE(*error.what() != '\0');
        BRASSBELL_FUZZ_REQUIRE(bytesOf(rules) == input);
        BRASSBELL_FUZZ_REQUIRE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 1);
    }
    return 0;
}
