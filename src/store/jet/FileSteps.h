#pragma once

#include <filesystem>

namespace brassbell {

// Whether a file (or anything else) stands at `path`; true too when that cannot be learned.
bool pathTaken(const std::filesystem::path& path);

// A name in the folder of `beside` that no file has yet, for building a file that is
// renamed into place once complete.
std::filesystem::path unusedTemporaryPath(const std::filesystem::path& beside);

// "<file>.jet-backup", or with "-2", "-3" … added when an earlier backup holds that name.
std::filesystem::path unusedBackupPath(const std::filesystem::path& file);

// Removes a partial SQLite file and the journal SQLite may have left beside it.
void removePartialDatabase(const std::filesystem::path& file) noexcept;

} // namespace brassbell
