#pragma once

// Looks into a Rules.mdb behind the store's back, so tests check what was really stored, and
// changes it there, as another program or a stale list would.
#include "store/PathText.h"

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace brassbell::testing {

class SqlPeek {
public:
    // Opened at the first look, not before: on Windows an open connection keeps the file from
    // being deleted or replaced, which a test may want to do first.
    explicit SqlPeek(std::filesystem::path file, bool writable = true)
        : file_(std::move(file)), writable_(writable) {}
    ~SqlPeek() { sqlite3_close(db_); }
    SqlPeek(const SqlPeek&) = delete;
    SqlPeek& operator=(const SqlPeek&) = delete;

    void execute(const std::string& sql) {
        if (sqlite3_exec(db(), sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }

    // Every row of `sql`, its values joined by '|', Null written as "(null)".
    std::vector<std::u16string> rows(const std::string& sql) {
        sqlite3_stmt* stmt = prepare(sql);
        std::vector<std::u16string> result;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::u16string& row = result.emplace_back();
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, c));
                row += (c > 0 ? u"|" : u"") + std::u16string(text != nullptr ? text : u"(null)");
            }
        }
        sqlite3_finalize(stmt);
        return result;
    }

    // Adds a record with the texts bound as they are (apostrophes and all); gives its rowid.
    std::int64_t insert(const std::string& table, const std::string& fields,
                        const std::vector<std::u16string>& values) {
        std::string marks = "?";
        for (std::size_t i = 1; i < values.size(); ++i)
            marks += ", ?";
        sqlite3_stmt* stmt = prepare("INSERT INTO " + table + " (" + fields + ") VALUES (" + marks + ")");
        for (std::size_t i = 0; i < values.size(); ++i)
            sqlite3_bind_text16(stmt, static_cast<int>(i + 1), values[i].data(),
                                static_cast<int>(values[i].size() * 2), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string("insert into ") + table + ": " + sqlite3_errmsg(db_));
        return sqlite3_last_insert_rowid(db_);
    }

private:
    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db(), sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        return stmt;
    }

    sqlite3* db() {
        const int flags = writable_ ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
        if (db_ == nullptr && sqlite3_open_v2(pathText(file_).c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(std::exchange(db_, nullptr));
            throw std::runtime_error("cannot open " + pathText(file_));
        }
        return db_;
    }

    std::filesystem::path file_;
    bool writable_;
    sqlite3* db_ = nullptr;
};

inline std::vector<std::u16string> peek(const std::filesystem::path& file, const std::string& sql) {
    return SqlPeek(file, false).rows(sql);
}

inline void execute(const std::filesystem::path& file, const std::string& sql) {
    SqlPeek(file).execute(sql);
}

inline std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace brassbell::testing
