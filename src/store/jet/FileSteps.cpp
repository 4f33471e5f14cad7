#include "store/jet/FileSteps.h"

#include "store/jet/JetMigration.h"

#include <random>
#include <string>
#include <vector>

namespace brassbell {

bool pathTaken(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    // A name whose state cannot be learned counts as taken: nothing may be overwritten.
    return std::filesystem::exists(status) || (ec && ec != std::errc::no_such_file_or_directory);
}

std::filesystem::path unusedTemporaryPath(const std::filesystem::path& beside) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = beside;
        candidate += ".migrating-" + std::to_string(random() % 1000000u) + ".tmp";
        if (!pathTaken(candidate))
            return candidate;
    }
    throw std::filesystem::filesystem_error("no free name for a temporary file", beside,
                                            std::make_error_code(std::errc::file_exists));
}

std::filesystem::path unusedBackupPath(const std::filesystem::path& file) {
    std::filesystem::path backup = file;
    backup += ".jet-backup";
    for (int number = 2; pathTaken(backup); ++number) {
        backup = file;
        backup += ".jet-backup-" + std::to_string(number);
    }
    return backup;
}

void removePartialDatabase(const std::filesystem::path& file) noexcept {
    std::error_code ec;
    std::filesystem::remove(file, ec);
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        std::filesystem::path companion = file;
        companion += suffix;
        std::filesystem::remove(companion, ec);
    }
}

void removeInterruptedTakeOvers(const std::filesystem::path& rulesMdb) noexcept {
    const std::u8string name = rulesMdb.filename().u8string();
    const std::u8string prefix = name + u8".migrating-";
    std::error_code ec;
    std::vector<std::filesystem::path> leftovers;
    for (std::filesystem::directory_iterator it(rulesMdb.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u8string found = it->path().filename().u8string();
        if (found.starts_with(prefix) && found.find(u8".tmp") != std::u8string::npos)
            leftovers.push_back(it->path());
    }
    for (const std::filesystem::path& leftover : leftovers)
        std::filesystem::remove(leftover, ec);
}

} // namespace brassbell
