// readSnapshot: the headers and keys the list views are filled with, Null, and what it refuses.
// That its rows follow every change saved through the store, StoreModelTest checks.
#include "store/Snapshot.h"

#include "OpenRulesDb.h"

namespace brassbell::testing {
namespace {

using Names = std::vector<std::u16string>;

class SnapshotTest : public OpenRulesDb {};

// A repeated field name gets a key of its own that no other field owns.
TEST_F(SnapshotTest, HeadersAreTheFieldsInOrderWithDistinctKeys) {
    struct Case {
        std::string_view source;
        bool isStatement;
        Names names, keys;
    };
    const Case cases[] = {
        {"tbl_UserDef", false, {u"UDID", u"UserD1", u"Kind"}, {u"UDID", u"UserD1", u"Kind"}},
        {kBasicRulesInFourColumns,
         true,
         {u"RuleID", u"RuleID", u"RuleID", u"RuleBasicLang"},
         {u"RuleID", u"RuleID_2", u"RuleID_3", u"RuleBasicLang"}},
        {"SELECT 1 AS a, 2 AS a_2, 3 AS a", true, {u"a", u"a_2", u"a"}, {u"a", u"a_2", u"a_3"}},
    };
    store.addRule(u"Be fair");
    for (const Case& c : cases) {
        const Snapshot s = readSnapshot(db.path(), c.source, c.isStatement);
        EXPECT_EQ(s.columnNames, c.names) << c.source;
        EXPECT_EQ(s.columnKeys, c.keys) << c.source;
    }
    EXPECT_EQ(readSnapshot(db.path(), kBasicRulesInFourColumns, true).rows,
              (std::vector<Names>{{u"1", u"1", u"1", u"Be fair"}}));
}

TEST_F(SnapshotTest, NullShowsAsEmpty) {
    run("INSERT INTO tbl_Langs (Language) VALUES ('Engl''ish');"
        "INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (1, NULL, NULL);");
    EXPECT_EQ(readSnapshot(db.path(), kTranslationsOfLanguage, true, {u"Engl'ish"}).rows,
              (std::vector<Names>{{u"1", u"1", u"", u""}}));
}

TEST_F(SnapshotTest, ReadsNeverWriteAndFailuresAreStoreErrors) {
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
} // namespace brassbell::testing
