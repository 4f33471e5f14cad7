// Making the delivered Rules.mdb: a complete file or none, and never over an existing one.
#include "store/RulesDbMaker.h"
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>

namespace brassbell {
namespace {

using test::bytesOf;
using test::peek;
using test::writeBytes;

TEST(RulesDbMaker, MakesTheSevenTablesVersionAndSettings) {
    TempRulesDb db;
    const auto file = db.folder() / "New.mdb";
    ASSERT_TRUE(makeRulesDb(file));
    EXPECT_EQ(peek(file, "PRAGMA user_version"), std::vector<std::u16string>{u"1"});
    EXPECT_EQ(
        peek(file, "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'tbl%' ORDER BY name"),
        (std::vector<std::u16string>{u"tbl_Langs", u"tbl_RndSpeak", u"tbl_Rules", u"tbl_Say", u"tbl_Sys",
                                     u"tbl_Text", u"tbl_Userdef"}));
    EXPECT_EQ(peek(file, "SELECT Para, Val FROM tbl_Sys ORDER BY rowid"),
              (std::vector<std::u16string>{u"RndTimer|60", u"TabStart|0"}));
    EXPECT_FALSE(std::filesystem::exists(db.folder() / "New.mdb.partial"));
    Store store(file);
    EXPECT_NO_THROW(store.fDBConnect(true));
}

TEST(RulesDbMaker, NeverTouchesAnExistingFile) {
    TempRulesDb db;
    writeBytes(db.path(), "the user's own file");
    EXPECT_FALSE(makeRulesDb(db.path()));
    EXPECT_EQ(bytesOf(db.path()), "the user's own file");
}

TEST(RulesDbMaker, AFileThatCannotBeMadeLeavesNothingBehind) {
    TempRulesDb db;
    const auto file = db.folder() / "no such folder" / "Rules.mdb";
    EXPECT_THROW(makeRulesDb(file), StoreError);
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

} // namespace
} // namespace brassbell
