#pragma once

#include "store/Store.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace brassbell::sqlite {

// Raises StoreError with a description the user can act on, built from the connection's
// last error, after `what` says which operation failed.
[[noreturn]] void fail(sqlite3* db, int code, std::string_view what);

// Owns one connection and closes it.
class Handle {
public:
    explicit Handle(sqlite3* db) : db_(db) {}
    ~Handle();
    Handle(Handle&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }
    Handle& operator=(Handle&&) = delete;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    sqlite3* get() const { return db_; }

private:
    sqlite3* db_;
};

// Opens an existing file, never creating one; throws StoreOpenError with the reason.
Handle openFile(const std::filesystem::path& file, bool readOnly, std::chrono::milliseconds busyTimeout);

// One prepared statement. Exactly one statement per text: a second one after the first
// would otherwise be dropped silently.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::u16string_view text);
    Statement& bind(int index, std::int64_t value);

    // true while a row is current.
    bool step();
    // Runs a statement that delivers no rows.
    void run();

    bool isReadOnly() const;
    int columnCount() const;
    std::u16string columnName(int column) const;
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    // Null as nullopt; numbers as their decimal digits.
    std::optional<std::u16string> text(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs a statement text without results (schema scripts, transaction control).
void exec(sqlite3* db, const char* sql);

// BEGIN IMMEDIATE … COMMIT; rolled back unless committed, so a failing step leaves
// every table as it was.
class Transaction {
public:
    explicit Transaction(sqlite3* db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    sqlite3* db_;
    bool done_ = false;
};

std::u16string toU16(std::string_view ascii);

} // namespace brassbell::sqlite
