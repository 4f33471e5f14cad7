// readSnapshot: what the list views are filled from, through a connection of its own.
#include "store/Snapshot.h"

#include "OpenRulesDb.h"

namespace brassbell {
namespace {

using Rows = std::vector<std::vector<std::u16string>>;
using Names = std::vector<std::u16string>;

class SnapshotOfRulesDb : public test::OpenRulesDb {};

TEST_F(SnapshotOfRulesDb, AnEmptyTableGivesItsFieldsInTableOrderAndNoRows) {
    for (const char* name : {"tbl_UserDef", "tbl_Userdef"}) {
        const Snapshot s = readSnapshot(db.path(), name, false);
        EXPECT_EQ(s.columnNames, (Names{u"UDID", u"UserD1", u"Kind"}));
        EXPECT_EQ(s.columnKeys, s.columnNames);
        EXPECT_TRUE(s.rows.empty());
    }
}

TEST_F(SnapshotOfRulesDb, SeesEveryChangeSavedThroughTheStoreBefore) {
    const auto a = store.addUserDef(u"kick", u"Command");
    store.addUserDef(u"hi", u"Say to all");
    store.changeUserDef(a, u"ban", u"Command");
    run("INSERT INTO tbl_Userdef (UserD1, Kind) VALUES (NULL, 'Command');");
    const Snapshot s = readSnapshot(db.path(), "tbl_UserDef", false);
    EXPECT_EQ(s.rows,
              (Rows{{u"1", u"ban", u"Command"}, {u"2", u"hi", u"Say to all"}, {u"3", u"", u"Command"}}));
}

TEST_F(SnapshotOfRulesDb, TheRuleStatementGivesFourColumnsWithDistinctKeys) {
    store.addRule(u"Be fair");
    store.addRule(u"No camping");
    const Snapshot s = readSnapshot(db.path(), kBasicRulesInFourColumns, true);
    EXPECT_EQ(s.columnNames, (Names{u"RuleID", u"RuleID", u"RuleID", u"RuleBasicLang"}));
    EXPECT_EQ(s.columnKeys, (Names{u"RuleID", u"RuleID_2", u"RuleID_3", u"RuleBasicLang"}));
    EXPECT_EQ(s.rows, (Rows{{u"1", u"1", u"1", u"Be fair"}, {u"2", u"2", u"2", u"No camping"}}));
    // A generated key never takes the name of another field.
    EXPECT_EQ(readSnapshot(db.path(), "SELECT 1 AS a, 2 AS a_2, 3 AS a", true).columnKeys,
              (Names{u"a", u"a_2", u"a_3"}));
}

TEST_F(SnapshotOfRulesDb, TranslationsOfALanguageShowNullAsEmpty) {
    const auto rule = store.addRule(u"Be fair");
    const auto other = store.addRule(u"No camping");
    const auto lang = store.addLanguage(u"Engl'ish");
    const auto de = store.addLanguage(u"Deutsch");
    store.addTranslation(lang, other, u"No camping!");
    run("INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (1, 1, NULL);");
    store.addTranslation(de, rule, u"Sei fair");
    const Snapshot s = readSnapshot(db.path(), kTranslationsOfLanguage, true, {u"Engl'ish"});
    EXPECT_EQ(s.columnNames, (Names{u"RID", u"LangID", u"RuleID", u"Translation"}));
    EXPECT_EQ(s.rows, (Rows{{u"1", u"1", u"2", u"No camping!"}, {u"2", u"1", u"1", u""}}));
    EXPECT_TRUE(readSnapshot(db.path(), kTranslationsOfLanguage, true, {u"engl'ish"}).rows.empty());
}

TEST_F(SnapshotOfRulesDb, ReadsNeverWriteAndFailuresAreStoreErrors) {
    store.addRule(u"kept");
    EXPECT_THROW(readSnapshot(db.path(), "tbl_Nope", false), StoreError);
    EXPECT_THROW(readSnapshot(db.path(), "tbl_Rules; DELETE FROM tbl_Rules", false), StoreError);
    EXPECT_THROW(readSnapshot(db.path(), "DELETE FROM tbl_Rules", true), StoreError);
    EXPECT_THROW(readSnapshot(db.path(), "SELECT * FROM tbl_Rules; DELETE FROM tbl_Rules", true), StoreError);
    EXPECT_EQ(readSnapshot(db.path(), "tbl_Rules", false).rows.size(), 1u);

    const auto missing = db.folder() / "Other.mdb";
    EXPECT_THROW(readSnapshot(missing, "tbl_Rules", false), StoreError);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace brassbell
