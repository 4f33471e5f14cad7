#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brassbell {

// One table of a Jet database as read: the asked-for fields in the order asked, each value
// as libmdb renders it in UTF-8 (whole numbers as decimal digits), Null and the empty text
// both as nullopt, since only the row's null mask tells them apart and Brassbell reads them alike.
struct JetRows {
    std::vector<std::vector<std::optional<std::string>>> rows;
    std::vector<std::string> unusedFields; // fields of the table that were not asked for
};

// A Jet database opened read-only through libmdb. Every failure throws JetMigrationError.
class JetReader {
public:
    explicit JetReader(const std::filesystem::path& file);
    ~JetReader();
    JetReader(const JetReader&) = delete;
    JetReader& operator=(const JetReader&) = delete;

    // The user tables in catalog order; Jet's own system tables are not among them.
    const std::vector<std::string>& tableNames() const { return tables_; }

    // Reads every record of `table`. `fields` are matched regardless of letter case; a field
    // the table lacks reads as Null in every row. Fails when fewer records can be read than
    // the table says it holds, as happens with a damaged or truncated file.
    JetRows read(const std::string& table, const std::vector<std::string>& fields);

private:
    struct Handle;
    Handle* handle_;
    std::filesystem::path file_;
    std::vector<std::string> tables_;
};

} // namespace brassbell
