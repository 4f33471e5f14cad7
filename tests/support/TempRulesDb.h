#pragma once

#include "store/RulesDbMaker.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace brassbell::testing {

// A fresh Rules.mdb in a temporary folder of its own, which goes with everything in it.
class TempRulesDb {
public:
    TempRulesDb() {
        std::mt19937_64 random(std::random_device{}());
        // create_directory reports false for a name that is taken, so parallel tests never share.
        do
            folder_ = std::filesystem::temp_directory_path() / ("brassbell-db-" + std::to_string(random()));
        while (!std::filesystem::create_directory(folder_));
        if (!makeRulesDb(file_ = folder_ / "Rules.mdb"))
            throw std::runtime_error("Rules.mdb already in " + folder_.string());
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
