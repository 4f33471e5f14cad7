#include "store/jet/JetMigration.h"

#include "store/PathText.h"
#include "store/RulesDbMaker.h"
#include "store/Schema.h"
#include "store/jet/FileSteps.h"
#include "store/jet/JetReader.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <set>

namespace brassbell {

namespace {

// Keys and the references between tables must stay whole numbers, or translations would lose
// their rules and languages; a record where one is not is left out rather than guessed at.
bool isWholeNumberField(const TableInfo& table, std::string_view field) {
    if (sameName(field, table.key))
        return true;
    return sameName(table.name, "tbl_Text") && (sameName(field, "LangID") || sameName(field, "RuleID"));
}

std::optional<std::int32_t> wholeNumber(const std::optional<std::string>& text) {
    if (!text || text->empty())
        return std::nullopt;
    std::string_view digits = *text;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    return value;
}

class Database {
public:
    explicit Database(const std::filesystem::path& file) {
        const auto utf8 = file.u8string();
        const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(utf8.c_str()), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc != SQLITE_OK) {
            const std::string reason = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            throw JetMigrationError("The new database " + pathText(file) + " cannot be created: " + reason +
                                    ".");
        }
        // A key given twice must be told apart from every other failure.
        sqlite3_extended_result_codes(db_, 1);
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* get() const { return db_; }

    void exec(const std::string& sql) { check(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr)); }

    void check(int rc) const {
        if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw JetMigrationError(std::string("Writing the new database failed: ") + sqlite3_errmsg(db_) +
                                    ".");
    }

    // Closes now, so that a failure to finish the file is seen before it is renamed into place.
    void close() {
        const int rc = sqlite3_close(db_);
        db_ = nullptr;
        if (rc != SQLITE_OK)
            throw JetMigrationError(std::string("Finishing the new database failed: ") + sqlite3_errstr(rc) +
                                    ".");
    }

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(Database& db, const std::string& sql) : db_(db) {
        db.check(sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &stmt_, nullptr));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindNull(int index) { db_.check(sqlite3_bind_null(stmt_, index)); }
    void bind(int index, std::int64_t value) { db_.check(sqlite3_bind_int64(stmt_, index, value)); }
    void bind(int index, const std::string& text) {
        db_.check(
            sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
    }
    void bind(int index, const std::optional<std::string>& text) {
        if (text)
            bind(index, *text);
        else
            bindNull(index);
    }
    // The result code of one step; the statement is reset for the next use.
    int stepOnce() {
        const int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        return rc;
    }
    bool step() {
        const int rc = sqlite3_step(stmt_);
        db_.check(rc);
        return rc == SQLITE_ROW;
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

std::string joined(const TableInfo& table, std::string_view separator, bool placeholders) {
    std::string text;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (i > 0)
            text += separator;
        text += placeholders ? "?" + std::to_string(i + 1) : std::string(table.fields[i]);
    }
    return text;
}

std::vector<std::string> fieldNames(const TableInfo& table) {
    return {table.fields.begin(), table.fields.end()};
}

void copyTable(JetReader& reader, const std::string& oldName, const TableInfo& table, Database& db,
               MigratedTable& migrated, MigrationReport& report) {
    JetRows read = reader.read(oldName, fieldNames(table));
    for (const std::string& field : read.unusedFields)
        report.fieldsLeftOut.push_back(oldName + "." + field);

    Statement insert(db, "INSERT INTO " + std::string(table.name) + " (" + joined(table, ", ", false) +
                             ") VALUES (" + joined(table, ", ", true) + ")");
    for (const auto& row : read.rows) {
        bool usable = true;
        for (std::size_t f = 0; f < table.fields.size(); ++f) {
            const int index = static_cast<int>(f) + 1;
            if (!isWholeNumberField(table, table.fields[f])) {
                insert.bind(index, row[f]);
                continue;
            }
            const auto number = wholeNumber(row[f]);
            if (!number) {
                usable = false;
                break;
            }
            insert.bind(index, std::int64_t{*number});
        }
        if (!usable) {
            insert.reset();
            ++migrated.skipped;
            continue;
        }
        const int rc = insert.stepOnce();
        insert.reset();
        if (rc == SQLITE_CONSTRAINT_PRIMARYKEY) {
            ++migrated.skipped;
            continue;
        }
        db.check(rc);
        ++migrated.records;
    }
}

// The fresh file already holds a row for each setting with its default. An old row takes
// over the first row of the same name not yet taken; a row of a setting it does not have is
// added, so no setting is lost and none is left without a value.
void copySettings(JetReader& reader, const std::string& oldName, const TableInfo& table, Database& db,
                  MigratedTable& migrated, MigrationReport& report) {
    JetRows read = reader.read(oldName, {"Para", "Val"});
    for (const std::string& field : read.unusedFields)
        report.fieldsLeftOut.push_back(oldName + "." + field);

    Statement find(db, "SELECT rowid FROM " + std::string(table.name) + " WHERE Para = ?1 ORDER BY rowid");
    Statement update(db, "UPDATE " + std::string(table.name) + " SET Val = ?2 WHERE rowid = ?1");
    Statement insert(db, "INSERT INTO " + std::string(table.name) + " (Para, Val) VALUES (?1, ?2)");
    std::set<std::int64_t> taken;
    for (const auto& row : read.rows) {
        std::optional<std::int64_t> target;
        if (row[0]) {
            find.bind(1, *row[0]);
            while (!target && find.step()) {
                if (!taken.contains(find.integer(0)))
                    target = find.integer(0);
            }
            find.reset();
        }
        if (target) {
            taken.insert(*target);
            update.bind(1, *target);
            update.bind(2, row[1]);
            update.step();
            update.reset();
        } else {
            insert.bind(1, row[0]);
            insert.bind(2, row[1]);
            insert.step();
            taken.insert(sqlite3_last_insert_rowid(db.get()));
            insert.reset();
        }
        ++migrated.records;
    }
}

void build(const std::filesystem::path& jetFile, const std::filesystem::path& partial,
           MigrationReport& report) {
    JetReader reader(jetFile);

    // Each table of ours takes the first old table of its name; every other one is left out.
    std::vector<std::optional<std::string>> source(rulesTables().size());
    for (const std::string& name : reader.tableNames()) {
        const TableInfo* known = findTable(name);
        const auto index = known ? static_cast<std::size_t>(known - rulesTables().data()) : 0;
        if (!known || source[index]) {
            report.tablesLeftOut.push_back(name);
            continue;
        }
        source[index] = name;
    }

    Database db(partial);
    db.exec("BEGIN");
    db.exec(std::string(rulesDbSchema()));
    for (std::size_t i = 0; i < rulesTables().size(); ++i) {
        const TableInfo& table = rulesTables()[i];
        MigratedTable& migrated = report.tables.emplace_back();
        migrated.name = table.name;
        if (!source[i])
            migrated.createdEmpty = true;
        else if (sameName(table.name, "tbl_Sys"))
            copySettings(reader, *source[i], table, db, migrated, report);
        else
            copyTable(reader, *source[i], table, db, migrated, report);
    }
    db.exec("COMMIT");
    db.close();
}

MigrationReport buildBeside(const std::filesystem::path& jetFile, const std::filesystem::path& target,
                            std::filesystem::path& partial) {
    MigrationReport report;
    report.target = target;
    try {
        partial = unusedTemporaryPath(target);
        build(jetFile, partial, report);
    } catch (const std::filesystem::filesystem_error& error) {
        removePartialDatabase(partial);
        throw JetMigrationError(std::string("The new database cannot be written: ") + error.what() + ".");
    } catch (...) {
        removePartialDatabase(partial);
        throw;
    }
    return report;
}

} // namespace

bool jetMigrationAvailable() {
    return true;
}

MigrationReport migrateJetDatabase(const std::filesystem::path& jetFile,
                                   const std::filesystem::path& target) {
    if (pathTaken(target))
        throw JetMigrationError(pathText(target) + " already exists; it is not overwritten.");
    std::filesystem::path partial;
    MigrationReport report = buildBeside(jetFile, target, partial);
    if (pathTaken(target)) {
        removePartialDatabase(partial);
        throw JetMigrationError(pathText(target) + " already exists; it is not overwritten.");
    }
    std::error_code ec;
    std::filesystem::rename(partial, target, ec);
    if (ec) {
        removePartialDatabase(partial);
        throw JetMigrationError("The new database cannot be put in place as " + pathText(target) + ": " +
                                ec.message() + ".");
    }
    return report;
}

MigrationReport migrateInPlace(const std::filesystem::path& rulesMdb) {
    std::filesystem::path partial;
    MigrationReport report = buildBeside(rulesMdb, rulesMdb, partial);

    // A copy keeps the original, so Rules.mdb is the old file until the rename puts the
    // complete new one in its place in one step.
    const std::filesystem::path backup = unusedBackupPath(rulesMdb);
    std::error_code ec;
    std::filesystem::copy_file(rulesMdb, backup, std::filesystem::copy_options::none, ec);
    if (!ec)
        std::filesystem::rename(partial, rulesMdb, ec);
    if (ec) {
        removePartialDatabase(partial);
        std::error_code ignored;
        std::filesystem::remove(backup, ignored);
        throw JetMigrationError("The original could not be kept as " + pathText(backup) + ": " +
                                ec.message() + ".");
    }
    report.backup = backup;
    return report;
}

} // namespace brassbell
