// Where Rules.mdb lives: beside the program, or in an installed build the user's own copy of the
// pristine one shipped in ../share/brassbell/.
#include "app/RulesMdbPlace.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

namespace fs = std::filesystem;

TEST(RulesMdbPlaceTest, BesideWinsThenTheUsersOwnCopyOfTheShippedOneIsMadeOnceAndNeverOverwritten) {
    // What stands beside the program, whether a pristine copy was shipped, what the user's folder
    // holds (a file where the folder belongs: it cannot be made); where Rules.mdb is then, what
    // the user's copy holds afterwards, and whether a problem is told.
    enum Own { None, Kept, FileInTheWay };
    const std::tuple<bool, bool, Own, const char*, const char*, bool> cases[] = {
        {true, true, None, "bin/Rules.mdb", "", false},
        {false, false, None, "bin/Rules.mdb", "", false},
        {false, true, None, "data/brassbell/Rules.mdb", "pristine", false},
        {false, true, Kept, "data/brassbell/Rules.mdb", "the user's", false},
        {false, true, FileInTheWay, "data/brassbell/Rules.mdb", "", true}};
    for (const auto& [beside, shipped, own, place, ownBytes, problem] : cases) {
        TempRulesDb root;
        const fs::path bin = root.folder() / "bin", data = root.folder() / "data";
        fs::create_directories(bin);
        fs::create_directories(root.folder() / "share" / "brassbell");
        if (beside)
            writeBytes(bin / "Rules.mdb", "beside");
        if (shipped)
            writeBytes(root.folder() / "share" / "brassbell" / "Rules.mdb", "pristine");
        if (own == Kept)
            fs::create_directories(data / "brassbell"),
                writeBytes(data / "brassbell" / "Rules.mdb", "the user's");
        if (own == FileInTheWay)
            writeBytes(data, "in the way");
        const RulesMdbPlace found = findRulesMdb(bin, data);
        SCOPED_TRACE(place);
        EXPECT_EQ(found.file, root.folder() / place);
        EXPECT_EQ(bytesOf(data / "brassbell" / "Rules.mdb"), ownBytes);
        EXPECT_EQ(found.problem.empty(), !problem) << found.problem;
        if (fs::is_directory(data / "brassbell")) {
            EXPECT_EQ(std::distance(fs::directory_iterator(data / "brassbell"), {}), *ownBytes ? 1 : 0)
                << "nothing half-written beside";
        }
    }
}

#ifndef _WIN32 // the data folder of the XDG base directories is Linux's
TEST(RulesMdbPlaceTest, TheUsersDataFolderIsAnAbsoluteXdgDataHomeOrTheHomesLocalShare) {
    EXPECT_EQ(userDataHome("/data", "/home/ann"), fs::path("/data"));
    EXPECT_EQ(userDataHome("relative", "/home/ann"), fs::path("/home/ann/.local/share"));
    EXPECT_EQ(userDataHome(nullptr, "/home/ann"), fs::path("/home/ann/.local/share"));
    EXPECT_EQ(userDataHome(nullptr, nullptr), fs::path());
}
#endif

} // namespace
} // namespace brassbell::testing
