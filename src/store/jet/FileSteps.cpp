#include "store/jet/FileSteps.h"

#include <random>
#include <string>

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

} // namespace brassbell
