#include "store/Schema.h"

#include <algorithm>
#include <array>

namespace brassbell {

namespace {

constexpr std::array<std::string_view, 1> kSay{"SayText"};
constexpr std::array<std::string_view, 1> kRndSpeak{"RandomSpeak"};
constexpr std::array<std::string_view, 2> kRules{"RuleID", "RuleBasicLang"};
constexpr std::array<std::string_view, 2> kLangs{"LangID", "Language"};
constexpr std::array<std::string_view, 4> kText{"RID", "LangID", "RuleID", "Translation"};
constexpr std::array<std::string_view, 3> kUserdef{"UDID", "UserD1", "Kind"};
constexpr std::array<std::string_view, 2> kSys{"Para", "Val"};

const std::array<TableInfo, 7> kTables{{
    {"tbl_Say", kSay, "", false},
    {"tbl_RndSpeak", kRndSpeak, "", false},
    {"tbl_Rules", kRules, "RuleID", true},
    {"tbl_Langs", kLangs, "LangID", true},
    {"tbl_Text", kText, "RID", true},
    {"tbl_Userdef", kUserdef, "UDID", true},
    {"tbl_Sys", kSys, "", false},
}};

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

bool sameName(std::u16string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](char16_t x, char y) { return x < 0x80 && lower(static_cast<char>(x)) == lower(y); });
}

std::span<const TableInfo> rulesTables() {
    return kTables;
}

const TableInfo* findTable(std::string_view name) {
    const auto it = std::ranges::find_if(kTables, [&](const TableInfo& t) { return sameName(t.name, name); });
    return it != kTables.end() ? &*it : nullptr;
}

const std::string_view* findField(const TableInfo& table, std::string_view name) {
    const auto it = std::ranges::find_if(table.fields, [&](std::string_view f) { return sameName(f, name); });
    return it != table.fields.end() ? &*it : nullptr;
}

} // namespace brassbell
