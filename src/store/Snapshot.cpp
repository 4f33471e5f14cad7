#include "store/Snapshot.h"

#include "store/Schema.h"
#include "store/Sqlite.h"
#include "store/Store.h"

#include <algorithm>
#include <atomic>

namespace brassbell {

namespace {

std::atomic<std::chrono::milliseconds::rep> snapshotBusyTimeout{kDefaultBusyTimeout.count()};

// The first column of a name keeps it; the next ones become name_2, name_3 … skipping any
// key a later or earlier field already owns.
std::vector<std::u16string> distinctKeys(const std::vector<std::u16string>& names) {
    std::vector<std::u16string> keys;
    const auto taken = [&](const std::u16string& key) {
        return std::ranges::find(keys, key) != keys.end() || std::ranges::find(names, key) != names.end();
    };
    for (const std::u16string& name : names) {
        if (std::ranges::find(keys, name) == keys.end()) {
            keys.push_back(name);
            continue;
        }
        int suffix = 2;
        std::u16string key;
        do {
            key = name + u"_" + sqlite::toU16(std::to_string(suffix++));
        } while (taken(key));
        keys.push_back(key);
    }
    return keys;
}

} // namespace

Snapshot Store::snapshot(std::string_view source, bool isStatement,
                         const std::vector<std::u16string>& params) {
    db(); // refuses a store that is closed or whose file is no longer the one opened
    return readSnapshot(path(), source, isStatement, params);
}

void setSnapshotBusyTimeout(std::chrono::milliseconds timeout) {
    snapshotBusyTimeout.store(timeout.count());
}

Snapshot readSnapshot(const std::filesystem::path& file, std::string_view source, bool isStatement,
                      const std::vector<std::u16string>& params) {
    std::string sql;
    if (isStatement) {
        sql = source;
    } else {
        const TableInfo* table = findTable(source);
        if (table == nullptr)
            throw StoreError("Rules.mdb has no table named " + std::string(source) + ".");
        sql = "SELECT * FROM \"" + std::string(table->name) + "\" ORDER BY rowid";
    }

    const sqlite::Handle connection =
        sqlite::openFile(file, true, std::chrono::milliseconds{snapshotBusyTimeout.load()});
    sqlite::Statement query(connection.get(), sql);
    if (!query.isReadOnly())
        throw StoreError("A list can only be filled from a statement that reads records.");
    for (std::size_t i = 0; i < params.size(); ++i)
        query.bind(static_cast<int>(i + 1), params[i]);

    Snapshot snapshot;
    const int columns = query.columnCount();
    for (int c = 0; c < columns; ++c)
        snapshot.columnNames.push_back(query.columnName(c));
    snapshot.columnKeys = distinctKeys(snapshot.columnNames);
    while (query.step()) {
        std::vector<std::u16string> row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(fNz(query.text(c)));
        snapshot.rows.push_back(std::move(row));
    }
    return snapshot;
}

} // namespace brassbell
