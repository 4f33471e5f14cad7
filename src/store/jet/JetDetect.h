#pragma once

#include <filesystem>

namespace brassbell {

// True when the file's header names it a Microsoft Jet database ("Standard Jet DB"), the
// format the earlier Windows tool kept Rules.mdb in. Any other file, an unreadable one too,
// answers false and goes on to the store as before.
bool isJetDatabase(const std::filesystem::path& file) noexcept;

} // namespace brassbell
