#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brassbell {

// A migration failed; what() says why, fit to show the user (UTF-8). Whatever failed, the
// old file is as it was and no partial file is left.
class JetMigrationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MigratedTable {
    std::string name;          // the table of the new Rules.mdb
    std::size_t records = 0;   // records taken over
    std::size_t skipped = 0;   // records left out: a key or reference not a whole number, or a key twice
    bool createdEmpty = false; // the old file had no such table
};

// What a migration carried over, and what it could not.
struct MigrationReport {
    std::vector<MigratedTable> tables;           // the seven tables, in schema order
    std::vector<std::string> tablesLeftOut;      // tables of the old file Brassbell does not know
    std::vector<std::string> fieldsLeftOut;      // "table.field" of fields Brassbell does not know
    std::filesystem::path target;                // the new database
    std::optional<std::filesystem::path> backup; // where the original was kept, after migrateInPlace

    const MigratedTable* table(std::string_view name) const;
    // The text shown to the user after the migration; lines end with CR LF.
    std::u16string message() const;
};

// Whether this build can read Jet databases at all.
bool jetMigrationAvailable();

// The second line shown under the open-failure message when a Jet Rules.mdb is found by a
// build that cannot convert it.
std::u16string jetConversionHint();

// The text shown when a migration failed: what went wrong, and that the original is as it was.
std::u16string migrationFailureMessage(const JetMigrationError& error);

// Writes the data of the Jet database `jetFile` into a new SQLite Rules.mdb at `target`,
// which must not exist yet. The new file appears only when complete. Throws JetMigrationError.
MigrationReport migrateJetDatabase(const std::filesystem::path& jetFile, const std::filesystem::path& target);

// Removes what a take-over killed half-way left beside `rulesMdb`: its temporary files
// "<name>.migrating-<n>.tmp" and their journals. Whatever stopped it, the original or the
// finished result with its backup is in place; the temporary files are never used again.
void removeInterruptedTakeOvers(const std::filesystem::path& rulesMdb) noexcept;

// Replaces the Jet database `rulesMdb` by its migrated SQLite form; the original is kept
// beside it as "<name>.jet-backup" (or "<name>.jet-backup-2" and so on, never replacing an
// earlier backup). Rules.mdb is never missing meanwhile. Throws JetMigrationError.
MigrationReport migrateInPlace(const std::filesystem::path& rulesMdb);

inline constexpr std::string_view kConvertJetOption = "--convert-jet";

// `brassbell --convert-jet OLD.mdb NEW.mdb`: `args` are the arguments after the option.
// Returns the process's exit status: 0 when converted, 1 when the conversion failed,
// 2 when the arguments are wrong.
int runConvertJet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace brassbell
