#pragma once

#include <filesystem>

namespace brassbell::testing {

// A fresh Rules.mdb, made from the schema in a folder of its own under the system's
// temporary folder; the folder and everything in it go when the object does.
//     TempRulesDb db;
//     Store store(db.path());
class TempRulesDb {
public:
    TempRulesDb();
    ~TempRulesDb();
    TempRulesDb(const TempRulesDb&) = delete;
    TempRulesDb& operator=(const TempRulesDb&) = delete;

    const std::filesystem::path& path() const { return file_; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path file_;
};

} // namespace brassbell::testing
