#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace brassbell {

// A read-only copy of a result, as the list views show it: one column per field in field
// order, every value as text (Null empty, whole numbers in decimal digits).
struct Snapshot {
    std::vector<std::u16string> columnNames; // the field names, shown as headers
    std::vector<std::u16string> columnKeys;  // distinct keys: a repeated name gets a suffix
    std::vector<std::vector<std::u16string>> rows;
};

// Reads through a second, short-lived connection of its own to the file at `file`.
// `source` is a table name (read as "SELECT * FROM " + source) or, with isStatement, a
// statement whose ?1, ?2 … take `params`. Throws StoreError.
Snapshot readSnapshot(const std::filesystem::path& file, std::string_view source, bool isStatement,
                      const std::vector<std::u16string>& params = {});

// How long every later list read waits while another connection holds the file locked,
// before it fails with StoreError; kDefaultBusyTimeout until set.
void setSnapshotBusyTimeout(std::chrono::milliseconds timeout);

// The two lists of texts, in the order of entry. Their tables have no key of their own, so the
// order is the rowid's, said outright: SQLite may read them through the index on their text.
inline constexpr std::string_view kStoredTexts = "SELECT SayText FROM tbl_Say ORDER BY rowid";
inline constexpr std::string_view kRandomTexts = "SELECT RandomSpeak FROM tbl_RndSpeak ORDER BY rowid";
inline constexpr std::string_view kBasicRulesInFourColumns =
    "SELECT tbl_Rules.RuleID, tbl_Rules.RuleID, tbl_Rules.RuleID, tbl_Rules.RuleBasicLang FROM tbl_Rules "
    "ORDER BY tbl_Rules.RuleID;";
// ?1 is the language's name; translations in the order they were added.
inline constexpr std::string_view kTranslationsOfLanguage =
    "SELECT tbl_Text.* FROM tbl_Langs INNER JOIN tbl_Text ON tbl_Langs.LangID = tbl_Text.LangID "
    "WHERE (((tbl_Langs.Language)=?1)) ORDER BY tbl_Text.RID;";

} // namespace brassbell
