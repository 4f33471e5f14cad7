#include "store/Sqlite.h"

#include "store/PathText.h"

#include <sqlite3.h>

#include <algorithm>

namespace brassbell::sqlite {

namespace {

std::string describe(sqlite3* db, int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "Rules.mdb is in use by another program; please try again in a moment.";
    case SQLITE_READONLY:
        return "Rules.mdb is read-only; nothing was saved.";
    case SQLITE_IOERR:
        // Linux lets a file be made immutable after it was opened for writing; the write
        // then fails as an input/output error, and the user's likeliest remedy is the same.
        return "Rules.mdb cannot be written or read: it may have been made read-only, or the disk failed; "
               "nothing was saved.";
    case SQLITE_FULL:
        return "The disk holding Rules.mdb is full; nothing was saved.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "Rules.mdb is damaged or not a database.";
    case SQLITE_CANTOPEN:
        // Rules.mdb itself is open: what cannot be made is the journal beside it, which keeps
        // the file whole while a change is written.
        return "The folder of Rules.mdb cannot be written, so no change can be saved safely; nothing was "
               "saved.";
    default:
        return db != nullptr ? std::string(sqlite3_errmsg(db)) : std::string(sqlite3_errstr(code));
    }
}

} // namespace

void fail(sqlite3* db, int code, std::string_view what) {
    throw StoreError(std::string(what) + ": " + describe(db, code));
}

Handle::~Handle() {
    sqlite3_close_v2(db_);
}

Handle openFile(const std::filesystem::path& file, bool readOnly, std::chrono::milliseconds busyTimeout) {
    const std::string shown = pathText(file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        throw StoreOpenError("Rules.mdb not found: " + shown);
    sqlite3* raw = nullptr;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const auto utf8 = file.u8string();
    const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(utf8.c_str()), &raw, flags, nullptr);
    Handle handle(raw);
    if (rc != SQLITE_OK)
        throw StoreOpenError("Rules.mdb cannot be opened (" + shown + "): " +
                             ((rc & 0xff) == SQLITE_CANTOPEN ? sqlite3_errstr(rc) : describe(raw, rc)));
    sqlite3_busy_timeout(raw, static_cast<int>(busyTimeout.count()));
    return handle;
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail);
    if (rc != SQLITE_OK)
        fail(db, rc, "The statement cannot be run");
    if (stmt_ == nullptr)
        throw StoreError("The statement is empty");
    for (const char* rest = tail; rest != sql.data() + sql.size(); ++rest) {
        if (*rest != ' ' && *rest != '\t' && *rest != '\r' && *rest != '\n' && *rest != ';') {
            sqlite3_finalize(stmt_);
            throw StoreError("Only one statement can be run at a time");
        }
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::u16string_view text) {
    // An empty view may carry no data pointer; SQLite reads a null pointer as Null.
    static const char16_t empty = u'\0';
    const void* data = text.empty() ? &empty : text.data();
    const int rc = sqlite3_bind_text16(stmt_, index, data, static_cast<int>(text.size() * sizeof(char16_t)),
                                       SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(db_, rc, "A value cannot be passed to the statement");
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK)
        fail(db_, rc, "A value cannot be passed to the statement");
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(db_, rc, "The database operation failed");
}

void Statement::run() {
    while (step()) {
    }
}

bool Statement::isReadOnly() const {
    return sqlite3_stmt_readonly(stmt_) != 0;
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

std::u16string Statement::columnName(int column) const {
    const auto* name = static_cast<const char16_t*>(sqlite3_column_name16(stmt_, column));
    return name != nullptr ? std::u16string(name) : std::u16string();
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::optional<std::u16string> Statement::text(int column) const {
    if (isNull(column))
        return std::nullopt;
    // Most stored texts are plain ASCII, which widens unit by unit; SQLite's own conversion to
    // UTF-16 costs several times that and is left to the texts that need it.
    const auto* utf8 = sqlite3_column_text(stmt_, column);
    const auto length = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
    if (utf8 != nullptr && std::all_of(utf8, utf8 + length, [](unsigned char byte) { return byte < 0x80; }))
        return std::u16string(utf8, utf8 + length);
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(stmt_, column));
    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes16(stmt_, column));
    if (data == nullptr)
        return std::u16string();
    return std::u16string(data, bytes / sizeof(char16_t));
}

void exec(sqlite3* db, const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        fail(db, rc, "The database operation failed");
}

Transaction::Transaction(sqlite3* db) : db_(db) {
    exec(db, "BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    exec(db_, "COMMIT");
    done_ = true;
}

std::u16string toU16(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace brassbell::sqlite
