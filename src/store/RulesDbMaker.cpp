#include "store/RulesDbMaker.h"

#include "store/PathText.h"
#include "store/Sqlite.h"
#include "store/Store.h"

#include <sqlite3.h>

#include <string>

namespace brassbell {

bool makeRulesDb(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::exists(file, error) || error)
        return false;

    // Built beside the target under another name and moved into place when complete, so
    // a failure never leaves a half-made Rules.mdb that would later open as damaged.
    std::filesystem::path partial = file;
    partial += ".partial";
    std::filesystem::remove(partial, error);
    try {
        sqlite3* raw = nullptr;
        const auto utf8 = partial.u8string();
        const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(utf8.c_str()), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        {
            const sqlite::Handle handle(raw);
            if (rc != SQLITE_OK)
                sqlite::fail(raw, rc, "Cannot create " + pathText(partial));
            sqlite::Transaction transaction(handle.get());
            sqlite::exec(handle.get(), std::string(rulesDbSchema()).c_str());
            transaction.commit();
        }
        if (std::filesystem::exists(file)) {
            std::filesystem::remove(partial);
            return false;
        }
        std::filesystem::rename(partial, file);
    } catch (const std::filesystem::filesystem_error& e) {
        std::filesystem::remove(partial, error);
        throw StoreError(std::string("Cannot create Rules.mdb: ") + e.what());
    } catch (...) {
        std::filesystem::remove(partial, error);
        throw;
    }
    return true;
}

} // namespace brassbell
