#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace brassbell {

// Every failing store operation raises this, with a description fit to show the user.
// The stored data is as it was before the failing operation.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opening Rules.mdb failed: missing, not a database, unreadable, or a table missing.
class StoreOpenError : public StoreError {
public:
    using StoreError::StoreError;
};

// Null becomes the replacement.
inline std::u16string fNz(const std::optional<std::u16string>& value, std::u16string replacement = {}) {
    return value ? *value : replacement;
}

// How long an operation waits while another connection (a second Brassbell, a backup
// tool) holds Rules.mdb locked, before it fails with StoreError.
inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{5000};

// Rules.mdb: the one database file beside the executable, an SQLite database here.
// The open connection is gDB; values are always bound, never spliced into statements,
// and "the first record" is always the first in insertion order.
struct Snapshot;

class Store {
public:
    explicit Store(std::filesystem::path file);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // true: opens the file the path names now (throws StoreOpenError, leaving gDB as it was);
    // false: releases gDB. Returns true. Once the file gDB holds is deleted or replaced, every
    // operation fails with StoreError until fDBConnect(true) takes the file found then.
    bool fDBConnect(bool open);
    bool isOpen() const;
    // The full path of the database file, as gDB reports it.
    const std::filesystem::path& path() const { return file_; }
    // Applies to the open connection and to every later one.
    void setBusyTimeout(std::chrono::milliseconds timeout);

    // Settings (tbl_Sys). A missing row reads as its default (RndTimer 60, TabStart 0,
    // anything else empty); writing a missing row creates it.
    std::u16string fGetSysPara(std::u16string_view key);
    void fSetSysPara(std::u16string_view key, std::u16string_view value);
    std::int32_t fGetRndTimer();
    // Stores the seconds; the caller sets the random speaker's tick.
    void fSetRndTimer(std::int32_t seconds);

    // One text field of one table, found by exact equality; only the first match is touched.
    void fAddRecord(std::string_view table, std::string_view field, std::u16string_view text);
    void fChangeRecord(std::string_view table, std::string_view field, std::u16string_view oldText,
                       std::u16string_view newText);
    void fDelRecord(std::string_view table, std::string_view field, std::u16string_view text);

    // The first column of a statement's result through gDB, Null as nullopt.
    std::vector<std::optional<std::u16string>> firstColumn(std::string_view statement);
    // A list view's records (see readSnapshot), read from the file this store opened: a
    // Rules.mdb replaced since is refused here as in every other operation.
    Snapshot snapshot(std::string_view source, bool isStatement,
                      const std::vector<std::u16string>& params = {});

    // Basic rules (tbl_Rules). Change and delete throw when the key is gone.
    std::int32_t addRule(std::u16string_view text);
    void changeRule(std::int32_t ruleId, std::u16string_view text);
    // The rule's translations first, then the rule.
    void deleteRule(std::int32_t ruleId);
    bool ruleExists(std::int32_t ruleId);

    // Languages (tbl_Langs)
    std::int32_t addLanguage(std::u16string_view name);
    void renameLanguage(std::int32_t langId, std::u16string_view name);
    // The language's translations first, then the language.
    void deleteLanguage(std::int32_t langId);
    std::vector<std::u16string> languageNames();
    std::optional<std::int32_t> languageIdByName(std::u16string_view name);
    std::optional<std::u16string> languageName(std::int32_t langId);

    // Translations (tbl_Text)
    std::int32_t addTranslation(std::int32_t langId, std::int32_t ruleId, std::u16string_view text);
    void changeTranslation(std::int32_t rid, std::u16string_view text);
    void deleteTranslation(std::int32_t rid);
    // The first translation of the rule into the language; empty when there is none.
    std::u16string fGetTranslation(std::int32_t ruleId, std::int32_t langId);
    std::optional<std::int32_t> findTranslation(std::int32_t ruleId, std::int32_t langId);

    // User-defined entries (tbl_Userdef)
    std::int32_t addUserDef(std::u16string_view text, std::u16string_view kind);
    void changeUserDef(std::int32_t udid, std::u16string_view text, std::u16string_view kind);
    void deleteUserDef(std::int32_t udid);

private:
    sqlite3* db();         // gDB, or StoreError when it is not open or its file is gone
    sqlite3* reopenedDb(); // gDB, opened first when it is empty

    std::filesystem::path file_;
    std::chrono::milliseconds busyTimeout_ = kDefaultBusyTimeout;
    struct Connection;
    std::unique_ptr<Connection> gDB;
};

} // namespace brassbell
