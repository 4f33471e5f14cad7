#pragma once

#include <filesystem>
#include <string_view>

namespace brassbell {

// The text of data/schema.sql, compiled in.
std::string_view rulesDbSchema();

// Makes a fresh Rules.mdb at `file` from the schema, with both settings rows in place.
// An existing file is never touched: returns false then. Throws StoreError when the file
// cannot be made; no half-made file is left behind.
// Only the build's tool and the tests make files: Brassbell itself never creates Rules.mdb.
bool makeRulesDb(const std::filesystem::path& file);

} // namespace brassbell
