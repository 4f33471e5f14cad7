#include "store/Store.h"

#include "store/PathText.h"
#include "store/Schema.h"
#include "store/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <limits>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace brassbell {

using sqlite::Statement;
using sqlite::Transaction;

namespace {

// Which file a path names. On Linux an open file can be deleted or replaced under the same
// name; the connection would then write on into a file nobody will ever read again. Windows
// keeps an open database file from being deleted or replaced, so there it never changes.
struct FileIdentity {
#ifndef _WIN32
    dev_t device = 0;
    ino_t inode = 0;
#endif
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::filesystem::path& file) {
#ifdef _WIN32
    (void)file;
    return FileIdentity{};
#else
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
#endif
}

} // namespace

struct Store::Connection {
    sqlite::Handle handle;
    FileIdentity opened;
};

namespace {

std::string quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// A file whose write permissions are all removed is treated as read-only, as Windows does
// with its read-only attribute even for an administrator; reads still work.
bool markedReadOnly(const std::filesystem::path& file) {
    using std::filesystem::perms;
    std::error_code error;
    const perms p = std::filesystem::status(file, error).permissions();
    return !error && (p & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

// The file must be an intact SQLite database of a schema this release understands.
void checkRulesDb(sqlite3* db) {
    try {
        Statement check(db, "PRAGMA quick_check(1)");
        if (!check.step() || check.text(0) != u"ok")
            throw StoreOpenError("Rules.mdb is damaged.");
        Statement version(db, "PRAGMA user_version");
        if (version.step() && version.integer(0) > kSchemaVersion)
            throw StoreOpenError("Rules.mdb was made by a newer release of Brassbell.");
        for (const TableInfo& table : rulesTables()) {
            Statement columns(db, "SELECT name FROM pragma_table_info(?1)");
            columns.bind(1, sqlite::toU16(table.name));
            std::vector<std::u16string> present;
            while (columns.step())
                present.push_back(fNz(columns.text(0)));
            if (present.empty())
                throw StoreOpenError("Rules.mdb holds no table " + std::string(table.name) + ".");
            for (std::size_t i = 0; i < table.fields.size(); ++i) {
                const std::string_view wanted = table.fields[i];
                const auto same = [&](const std::u16string& name) { return sameName(name, wanted); };
                const bool found = table.ordered ? (i < present.size() && same(present[i]))
                                                 : std::ranges::any_of(present, same);
                if (!found)
                    throw StoreOpenError("Rules.mdb: the table " + std::string(table.name) +
                                         " lacks the field " + std::string(table.fields[i]) + ".");
            }
        }
    } catch (const StoreOpenError&) {
        throw;
    } catch (const StoreError& e) {
        throw StoreOpenError(std::string("Rules.mdb cannot be read: ") + e.what());
    }
}

const TableInfo& tableNamed(std::string_view name) {
    const TableInfo* table = findTable(name);
    if (table == nullptr)
        throw StoreError("Rules.mdb has no table named " + std::string(name) + ".");
    return *table;
}

std::string_view fieldNamed(const TableInfo& table, std::string_view name) {
    const std::string_view* field = findField(table, name);
    if (field == nullptr)
        throw StoreError("The table " + std::string(table.name) + " has no field named " + std::string(name) +
                         ".");
    return *field;
}

std::string_view writableField(const TableInfo& table, std::string_view name) {
    const std::string_view field = fieldNamed(table, name);
    if (field == table.key)
        throw StoreError("The field " + std::string(field) +
                         " is numbered by the database and cannot be written.");
    return field;
}

// Keys are 32-bit; a store that ever ran past that would hand out keys the lists cannot hold.
std::int32_t newKey(sqlite3* db) {
    const sqlite3_int64 key = sqlite3_last_insert_rowid(db);
    if (key > std::numeric_limits<std::int32_t>::max())
        throw StoreError("Rules.mdb has run out of record numbers; nothing was added.");
    return static_cast<std::int32_t>(key);
}

void requireChange(sqlite3* db, std::string_view message) {
    if (sqlite3_changes(db) == 0)
        throw StoreError(std::string(message));
}

// Adds one record whose key the database numbers, `texts` bound to ?1, ?2 … in turn.
std::int32_t insertNumbered(sqlite3* db, std::string_view sql,
                            std::initializer_list<std::u16string_view> texts) {
    Transaction transaction(db);
    Statement insert(db, sql);
    int index = 1;
    for (const std::u16string_view text : texts)
        insert.bind(index++, text);
    insert.run();
    const std::int32_t key = newKey(db);
    transaction.commit();
    return key;
}

// Changes the record whose key is ?1, `texts` bound to ?2, ?3 … in turn. A record that another
// action removed meanwhile is an error saying `goneMessage`.
void updateKeyed(sqlite3* db, std::string_view sql, std::int32_t key,
                 std::initializer_list<std::u16string_view> texts, std::string_view goneMessage) {
    Statement update(db, sql);
    update.bind(1, std::int64_t{key});
    int index = 2;
    for (const std::u16string_view text : texts)
        update.bind(index++, text);
    update.run();
    requireChange(db, goneMessage);
}

void deleteKeyed(sqlite3* db, std::string_view table, std::string_view keyField, std::int32_t key,
                 std::string_view goneMessage) {
    Statement remove(db, "DELETE FROM " + std::string(table) + " WHERE " + std::string(keyField) + " = ?1");
    remove.bind(1, std::int64_t{key}).run();
    requireChange(db, goneMessage);
}

// A rule or a language never leaves translations behind that point at nothing.
void deleteWithTranslations(sqlite3* db, std::string_view table, std::string_view keyField, std::int32_t key,
                            std::string_view goneMessage) {
    Transaction transaction(db);
    Statement translations(db, "DELETE FROM tbl_Text WHERE " + std::string(keyField) + " = ?1");
    translations.bind(1, std::int64_t{key}).run();
    deleteKeyed(db, table, keyField, key, goneMessage);
    transaction.commit();
}

std::u16string defaultSysPara(std::u16string_view key) {
    if (key == u"RndTimer")
        return u"60";
    if (key == u"TabStart")
        return u"0";
    return {};
}

void writeSysPara(sqlite3* db, std::u16string_view key, std::u16string_view value) {
    Transaction transaction(db);
    Statement update(db, "UPDATE tbl_Sys SET Val = ?2 WHERE rowid = "
                         "(SELECT rowid FROM tbl_Sys WHERE Para = ?1 ORDER BY rowid LIMIT 1)");
    update.bind(1, key).bind(2, value).run();
    if (sqlite3_changes(db) == 0) {
        Statement insert(db, "INSERT INTO tbl_Sys (Para, Val) VALUES (?1, ?2)");
        insert.bind(1, key).bind(2, value).run();
    }
    transaction.commit();
}

// Blanks around, a sign and decimal digits; anything else (or out of range) is no number.
std::optional<std::int32_t> wholeNumber(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7f)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    if (ascii.size() > 1 && ascii[0] == '+' && ascii[1] != '-')
        ascii.erase(0, 1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

} // namespace

Store::Store(std::filesystem::path file) : file_(std::move(file)) {}

Store::~Store() = default;

bool Store::fDBConnect(bool open) {
    if (!open) {
        gDB.reset();
        return true;
    }
    sqlite::Handle handle = sqlite::openFile(file_, markedReadOnly(file_), busyTimeout_);
    const std::optional<FileIdentity> opened = identityOf(file_);
    if (!opened)
        throw StoreOpenError("Rules.mdb not found: " + pathText(file_));
    checkRulesDb(handle.get());
    gDB = std::make_unique<Connection>(Connection{std::move(handle), *opened});
    return true;
}

bool Store::isOpen() const {
    return gDB != nullptr;
}

void Store::setBusyTimeout(std::chrono::milliseconds timeout) {
    busyTimeout_ = timeout;
    if (gDB)
        sqlite3_busy_timeout(gDB->handle.get(), static_cast<int>(timeout.count()));
}

sqlite3* Store::db() {
    if (!gDB)
        throw StoreError("The database is not open.");
    // Reopening here would quietly swap the user's data for whatever now lies there; the
    // user decides, and a new start (or fDBConnect) takes the file found then.
    if (identityOf(file_) != gDB->opened)
        throw StoreError("Rules.mdb is no longer where it was opened: " + pathText(file_) +
                         ". Nothing was changed.");
    return gDB->handle.get();
}

sqlite3* Store::reopenedDb() {
    if (!gDB)
        fDBConnect(true);
    return db();
}

std::u16string Store::fGetSysPara(std::u16string_view key) {
    Statement read(db(), "SELECT Val FROM tbl_Sys WHERE Para = ?1 ORDER BY rowid LIMIT 1");
    read.bind(1, key);
    return read.step() ? fNz(read.text(0)) : defaultSysPara(key);
}

void Store::fSetSysPara(std::u16string_view key, std::u16string_view value) {
    writeSysPara(reopenedDb(), key, value);
}

std::int32_t Store::fGetRndTimer() {
    constexpr std::int32_t kDefaultSeconds = 60;
    return wholeNumber(fGetSysPara(u"RndTimer")).value_or(kDefaultSeconds);
}

void Store::fSetRndTimer(std::int32_t seconds) {
    // The caller's tick is seconds × 10 ms in 32 bits; refuse before storing what it cannot use.
    const std::int64_t tick = std::int64_t{seconds} * 10;
    if (tick > std::numeric_limits<std::int32_t>::max() || tick < std::numeric_limits<std::int32_t>::min())
        throw StoreError("An interval of " + std::to_string(seconds) +
                         " seconds is too long; nothing was saved.");
    const std::string digits = std::to_string(seconds);
    writeSysPara(db(), u"RndTimer", sqlite::toU16(digits));
}

void Store::fAddRecord(std::string_view table, std::string_view field, std::u16string_view text) {
    sqlite3* const handle = reopenedDb();
    const TableInfo& info = tableNamed(table);
    const std::string_view column = writableField(info, field);
    Transaction transaction(handle);
    Statement insert(handle, "INSERT INTO " + quoted(info.name) + " (" + quoted(column) + ") VALUES (?1)");
    insert.bind(1, text).run();
    if (!info.key.empty())
        newKey(handle);
    transaction.commit();
}

void Store::fChangeRecord(std::string_view table, std::string_view field, std::u16string_view oldText,
                          std::u16string_view newText) {
    sqlite3* const handle = db();
    const TableInfo& info = tableNamed(table);
    const std::string column = quoted(writableField(info, field));
    const std::string name = quoted(info.name);
    Statement update(handle, "UPDATE " + name + " SET " + column + " = ?2 WHERE rowid = (SELECT rowid FROM " +
                                 name + " WHERE " + column + " = ?1 ORDER BY rowid LIMIT 1)");
    update.bind(1, oldText).bind(2, newText).run();
    requireChange(handle, "The text is no longer stored; nothing was changed.");
}

void Store::fDelRecord(std::string_view table, std::string_view field, std::u16string_view text) {
    sqlite3* const handle = db();
    const TableInfo& info = tableNamed(table);
    const std::string column = quoted(fieldNamed(info, field));
    const std::string name = quoted(info.name);
    Transaction transaction(handle);
    Statement find(handle, "SELECT rowid FROM " + name + " WHERE " + column + " = ?1 ORDER BY rowid LIMIT 1");
    find.bind(1, text);
    if (!find.step())
        throw StoreError("The text is no longer stored; nothing was deleted.");
    const std::int64_t rowid = find.integer(0);
    // A rule or a language never leaves translations behind that point at nothing.
    if (&info == findTable("tbl_Rules") || &info == findTable("tbl_Langs")) {
        Statement translations(handle, "DELETE FROM tbl_Text WHERE " + quoted(info.key) + " = ?1");
        translations.bind(1, rowid).run();
    }
    Statement remove(handle, "DELETE FROM " + name + " WHERE rowid = ?1");
    remove.bind(1, rowid).run();
    transaction.commit();
}

std::vector<std::optional<std::u16string>> Store::firstColumn(std::string_view statement) {
    Statement query(db(), statement);
    if (!query.isReadOnly() || query.columnCount() == 0)
        throw StoreError("A list can only be filled from a statement that reads records.");
    std::vector<std::optional<std::u16string>> values;
    while (query.step())
        values.push_back(query.text(0));
    return values;
}

std::int32_t Store::addRule(std::u16string_view text) {
    return insertNumbered(db(), "INSERT INTO tbl_Rules (RuleBasicLang) VALUES (?1)", {text});
}

void Store::changeRule(std::int32_t ruleId, std::u16string_view text) {
    updateKeyed(db(), "UPDATE tbl_Rules SET RuleBasicLang = ?2 WHERE RuleID = ?1", ruleId, {text},
                "The rule is no longer stored; nothing was changed.");
}

void Store::deleteRule(std::int32_t ruleId) {
    deleteWithTranslations(db(), "tbl_Rules", "RuleID", ruleId,
                           "The rule is no longer stored; nothing was deleted.");
}

bool Store::ruleExists(std::int32_t ruleId) {
    Statement find(db(), "SELECT 1 FROM tbl_Rules WHERE RuleID = ?1");
    find.bind(1, std::int64_t{ruleId});
    return find.step();
}

std::int32_t Store::addLanguage(std::u16string_view name) {
    return insertNumbered(db(), "INSERT INTO tbl_Langs (Language) VALUES (?1)", {name});
}

void Store::renameLanguage(std::int32_t langId, std::u16string_view name) {
    updateKeyed(db(), "UPDATE tbl_Langs SET Language = ?2 WHERE LangID = ?1", langId, {name},
                "The language is no longer stored; nothing was changed.");
}

void Store::deleteLanguage(std::int32_t langId) {
    deleteWithTranslations(db(), "tbl_Langs", "LangID", langId,
                           "The language is no longer stored; nothing was deleted.");
}

std::vector<std::u16string> Store::languageNames() {
    Statement query(db(), "SELECT Language FROM tbl_Langs ORDER BY rowid");
    std::vector<std::u16string> names;
    while (query.step())
        names.push_back(fNz(query.text(0)));
    return names;
}

std::optional<std::int32_t> Store::languageIdByName(std::u16string_view name) {
    Statement find(db(), "SELECT LangID FROM tbl_Langs WHERE Language = ?1 ORDER BY rowid LIMIT 1");
    find.bind(1, name);
    if (!find.step())
        return std::nullopt;
    return static_cast<std::int32_t>(find.integer(0));
}

std::optional<std::u16string> Store::languageName(std::int32_t langId) {
    Statement find(db(), "SELECT Language FROM tbl_Langs WHERE LangID = ?1");
    find.bind(1, std::int64_t{langId});
    if (!find.step())
        return std::nullopt;
    return fNz(find.text(0));
}

std::int32_t Store::addTranslation(std::int32_t langId, std::int32_t ruleId, std::u16string_view text) {
    sqlite3* const handle = db();
    Transaction transaction(handle);
    // Checked inside the transaction: a translation never points at a rule or language
    // that another action deleted meanwhile.
    Statement owners(handle, "SELECT (SELECT count(*) FROM tbl_Rules WHERE RuleID = ?1), "
                             "(SELECT count(*) FROM tbl_Langs WHERE LangID = ?2)");
    owners.bind(1, std::int64_t{ruleId}).bind(2, std::int64_t{langId});
    owners.step();
    if (owners.integer(0) == 0)
        throw StoreError("The rule is no longer stored; the translation was not added.");
    if (owners.integer(1) == 0)
        throw StoreError("The language is no longer stored; the translation was not added.");
    Statement insert(handle, "INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (?1, ?2, ?3)");
    insert.bind(1, std::int64_t{langId}).bind(2, std::int64_t{ruleId}).bind(3, text).run();
    const std::int32_t key = newKey(handle);
    transaction.commit();
    return key;
}

void Store::changeTranslation(std::int32_t rid, std::u16string_view text) {
    updateKeyed(db(), "UPDATE tbl_Text SET Translation = ?2 WHERE RID = ?1", rid, {text},
                "The translation is no longer stored; nothing was changed.");
}

void Store::deleteTranslation(std::int32_t rid) {
    deleteKeyed(db(), "tbl_Text", "RID", rid, "The translation is no longer stored; nothing was deleted.");
}

std::u16string Store::fGetTranslation(std::int32_t ruleId, std::int32_t langId) {
    Statement find(reopenedDb(), "SELECT Translation FROM tbl_Text WHERE RuleID = ?1 AND LangID = ?2 "
                                 "ORDER BY rowid LIMIT 1");
    find.bind(1, std::int64_t{ruleId}).bind(2, std::int64_t{langId});
    return find.step() ? fNz(find.text(0)) : std::u16string();
}

std::optional<std::int32_t> Store::findTranslation(std::int32_t ruleId, std::int32_t langId) {
    Statement find(db(), "SELECT RID FROM tbl_Text WHERE RuleID = ?1 AND LangID = ?2 ORDER BY rowid LIMIT 1");
    find.bind(1, std::int64_t{ruleId}).bind(2, std::int64_t{langId});
    if (!find.step())
        return std::nullopt;
    return static_cast<std::int32_t>(find.integer(0));
}

std::int32_t Store::addUserDef(std::u16string_view text, std::u16string_view kind) {
    return insertNumbered(db(), "INSERT INTO tbl_Userdef (UserD1, Kind) VALUES (?1, ?2)", {text, kind});
}

void Store::changeUserDef(std::int32_t udid, std::u16string_view text, std::u16string_view kind) {
    updateKeyed(reopenedDb(), "UPDATE tbl_Userdef SET UserD1 = ?2, Kind = ?3 WHERE UDID = ?1", udid,
                {text, kind}, "The entry is no longer stored; nothing was changed.");
}

void Store::deleteUserDef(std::int32_t udid) {
    deleteKeyed(db(), "tbl_Userdef", "UDID", udid, "The entry is no longer stored; nothing was deleted.");
}

} // namespace brassbell
