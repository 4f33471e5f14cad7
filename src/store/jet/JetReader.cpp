#include "store/jet/JetReader.h"

#include "store/PathText.h"
#include "store/Schema.h"
#include "store/jet/JetDetect.h"
#include "store/jet/JetMigration.h"

#include <mdbtools.h>

#include <cstring>
#include <memory>

namespace brassbell {

namespace {

// libmdb cuts every value silently at its bind size (16 KiB unless told otherwise), so a long
// rule or translation would lose its end. Texts reaching this size are refused, not cut.
constexpr std::size_t kBindSize = std::size_t{4} << 20;

// Catalog flags that mark Jet's own tables (MSysObjects and the like).
constexpr int kSystemObjectFlags = static_cast<int>(0x80000002u);

bool isSystemTable(const MdbCatalogEntry& entry) {
    return (entry.flags & kSystemObjectFlags) != 0 || std::strncmp(entry.object_name, "MSys", 4) == 0;
}

struct TableDef {
    MdbTableDef* def;
    ~TableDef() { mdb_free_tabledef(def); }
};

} // namespace

struct JetReader::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }
};

JetReader::JetReader(const std::filesystem::path& file) : handle_(new Handle), file_(file) {
    std::unique_ptr<Handle> owner(handle_);
    if (!isJetDatabase(file))
        throw JetMigrationError(pathText(file) + " is not a Jet database.");
    handle_->mdb = mdb_open(pathText(file).c_str(), MDB_NOFLAGS);
    if (!handle_->mdb)
        throw JetMigrationError("The Jet database " + pathText(file) + " cannot be opened.");
    MdbHandle* mdb = handle_->mdb;
    mdb_set_bind_size(mdb, kBindSize);

    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    const auto pageSize = static_cast<std::uintmax_t>(mdb->fmt->pg_size);
    if (ec || pageSize == 0 || size % pageSize != 0)
        throw JetMigrationError("The Jet database " + pathText(file) +
                                " is incomplete: its size is not a whole number of pages.");

    if (!mdb_read_catalog(mdb, MDB_TABLE))
        throw JetMigrationError("The table list of the Jet database " + pathText(file) + " cannot be read.");
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        const auto* entry = static_cast<const MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && !isSystemTable(*entry))
            tables_.emplace_back(entry->object_name);
    }
    owner.release();
}

JetReader::~JetReader() {
    delete handle_;
}

JetRows JetReader::read(const std::string& table, const std::vector<std::string>& fields) {
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(handle_->mdb, table.c_str());
    if (!entry)
        throw JetMigrationError("The table " + table + " of the Jet database cannot be found.");
    const TableDef def{mdb_read_table(entry)};
    if (!def.def || !mdb_read_columns(def.def))
        throw JetMigrationError("The table " + table +
                                " of the Jet database cannot be read; the file is damaged.");
    MdbTableDef* t = def.def;

    // Column of the table (1-based, as libmdb binds) for each field asked for; 0 when absent.
    JetRows result;
    std::vector<int> columnOf(fields.size(), 0);
    for (unsigned c = 0; c < t->num_cols; ++c) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(t->columns, c));
        bool used = false;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (columnOf[f] == 0 && sameName(column->name, fields[f])) {
                columnOf[f] = static_cast<int>(c) + 1;
                used = true;
                break;
            }
        }
        if (!used)
            result.unusedFields.emplace_back(column->name);
    }

    std::vector<std::unique_ptr<char[]>> buffers(fields.size());
    std::vector<int> lengths(fields.size(), 0);
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (columnOf[f] == 0)
            continue;
        buffers[f] = std::make_unique<char[]>(kBindSize);
        mdb_bind_column(t, columnOf[f], buffers[f].get(), &lengths[f]);
    }

    mdb_rewind_table(t);
    while (mdb_fetch_row(t)) {
        auto& row = result.rows.emplace_back(fields.size());
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (columnOf[f] == 0 || lengths[f] <= 0)
                continue;
            const auto length = static_cast<std::size_t>(lengths[f]);
            if (length + 1 >= kBindSize)
                throw JetMigrationError("A value in the table " + table +
                                        " is too long to be taken over whole.");
            row[f] = std::string(buffers[f].get(), length);
        }
    }
    // libmdb ends the walk quietly at a page it cannot read; the count in the table's
    // definition shows whether anything was lost that way.
    if (result.rows.size() != t->num_rows)
        throw JetMigrationError("The table " + table + " of the Jet database is damaged: it holds " +
                                std::to_string(t->num_rows) + " records, but only " +
                                std::to_string(result.rows.size()) + " can be read.");
    return result;
}

} // namespace brassbell
