#include "TempRulesDb.h"

#include "store/RulesDbMaker.h"

#include <random>
#include <stdexcept>
#include <string>

namespace brassbell::testing {

TempRulesDb::TempRulesDb() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const auto base = std::filesystem::temp_directory_path();
    // create_directory reports false for a name that is taken, so parallel tests never share.
    do {
        folder_ = base / ("brassbell-db-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(folder_));
    file_ = folder_ / "Rules.mdb";
    if (!makeRulesDb(file_))
        throw std::runtime_error("Rules.mdb already in " + folder_.string());
}

TempRulesDb::~TempRulesDb() {
    std::error_code error;
    // A test may have taken write permission away; give it back so the folder can go.
    std::filesystem::permissions(file_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(folder_, error);
}

} // namespace brassbell::testing
