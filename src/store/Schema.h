#pragma once

#include <span>
#include <string>
#include <string_view>

namespace brassbell {

// The version written into PRAGMA user_version by data/schema.sql.
inline constexpr int kSchemaVersion = 1;

struct TableInfo {
    std::string_view name;
    // In table order; where `ordered`, callers address fields by position too, so the
    // order is part of the schema.
    std::span<const std::string_view> fields;
    // The store-assigned key, empty for tables without one.
    std::string_view key;
    bool ordered;
};

// The seven tables of Rules.mdb.
std::span<const TableInfo> rulesTables();

// Table and field names are matched regardless of letter case (tbl_Userdef == tbl_UserDef).
// Both return nullptr when the name is unknown.
const TableInfo* findTable(std::string_view name);
const std::string_view* findField(const TableInfo& table, std::string_view name);

bool sameName(std::string_view a, std::string_view b);
bool sameName(std::u16string_view a, std::string_view b);

} // namespace brassbell
