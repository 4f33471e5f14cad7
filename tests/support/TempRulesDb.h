#pragma once

#include "store/PathText.h"
#include "store/RulesDbMaker.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace brassbell::testing {

// A fresh Rules.mdb in a temporary folder of its own, which goes with everything in it. The
// folder's name holds a letter outside every western ANSI code page, as a user's folder may:
// on Windows, every test then proves that such a Rules.mdb opens and is named right.
class TempRulesDb {
public:
    TempRulesDb() {
        std::mt19937_64 random(std::random_device{}());
        // create_directory reports false for a name that is taken, so parallel tests never share.
        do
            folder_ = std::filesystem::temp_directory_path() /
                      pathFromText("brassbell-db-\u0141ukasz-" + std::to_string(random()));
        while (!std::filesystem::create_directory(folder_));
        if (!makeRulesDb(file_ = folder_ / "Rules.mdb"))
            throw std::runtime_error("Rules.mdb already in " + pathText(folder_));
    }
    ~TempRulesDb() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    TempRulesDb(const TempRulesDb&) = delete;
    TempRulesDb& operator=(const TempRulesDb&) = delete;

    const std::filesystem::path& path() const { return file_; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_, file_;
};

} // namespace brassbell::testing
