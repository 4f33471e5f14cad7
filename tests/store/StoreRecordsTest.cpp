// fAddRecord, fChangeRecord, fDelRecord and firstColumn: texts exactly as typed, the first
// record only, and nothing changed on a failure.
#include "OpenRulesDb.h"

namespace brassbell {
namespace {

using test::bytesOf;
using test::Rows;

class StoreRecords : public test::OpenRulesDb {
protected:
    Rows say() { return rows("SELECT rowid, SayText FROM tbl_Say ORDER BY rowid"); }
};

// Quotes, an attempted injection, line breaks and characters beyond Latin-1 all go in and
// are found again exactly, in either table of texts and whatever the letter case of its name.
TEST_F(StoreRecords, OddTextsAreAddedChangedAndDeletedLikeAnyOther) {
    const std::u16string texts[] = {u"Don't camp, it's rude", u"x'); DROP TABLE tbl_Say; --",
                                    u"line1\r\nline2", u"\u00e4\u00f6\u00fc \u0416 \U0001F600",
                                    u"  padded  "};
    const std::pair<const char*, const char*> tables[] = {
        {"tbl_Say", "SayText"}, {"tbl_RndSpeak", "RandomSpeak"}, {"TBL_SAY", "saytext"}};
    for (const auto& [table, field] : tables) {
        SCOPED_TRACE(table);
        const std::string select = std::string("SELECT ") + field + " FROM " + table + " ORDER BY rowid";
        for (const auto& text : texts)
            store.fAddRecord(table, field, text);
        EXPECT_EQ(rows(select), Rows(std::begin(texts), std::end(texts)));
        for (const auto& text : texts)
            store.fChangeRecord(table, field, text, text + u"'!");
        for (const auto& text : texts)
            store.fDelRecord(table, field, text + u"'!");
        EXPECT_TRUE(rows(select).empty());
    }
    EXPECT_EQ(rows("SELECT count(*) FROM tbl_Say").size(), 1u) << "tbl_Say is still there";
}

// Texts compare exactly, letter case included, and a text stored twice is changed or deleted in
// its first record only; a text not stored fails and changes nothing.
TEST_F(StoreRecords, OnlyTheFirstRecordOfExactlyTheTextIsChangedOrDeleted) {
    for (const auto* text : {u"Dup", u"dup", u"dup"})
        store.fAddRecord("tbl_Say", "SayText", text);
    store.fChangeRecord("tbl_Say", "SayText", u"dup", u"changed");
    EXPECT_EQ(say(), (Rows{u"1|Dup", u"2|changed", u"3|dup"}));
    store.fAddRecord("tbl_Say", "SayText", u"dup");
    store.fDelRecord("tbl_Say", "SayText", u"dup");
    EXPECT_EQ(say(), (Rows{u"1|Dup", u"2|changed", u"4|dup"}));
    store.fDelRecord("tbl_Say", "SayText", u"Dup");
    EXPECT_EQ(say(), (Rows{u"2|changed", u"4|dup"}));
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"DUP"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"chang"), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText", u"gone", u"new"), StoreError);
    EXPECT_EQ(say(), (Rows{u"2|changed", u"4|dup"}));
}

TEST_F(StoreRecords, NamesOutsideTheSchemaAndStoreAssignedKeysAreRefused) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    const std::string before = bytesOf(db.path());
    EXPECT_THROW(store.fAddRecord("tbl_Nope", "SayText", u"x"), StoreError);
    EXPECT_THROW(store.fAddRecord("tbl_Say", "Nope", u"x"), StoreError);
    EXPECT_THROW(store.fAddRecord("tbl_Say; DROP TABLE tbl_Say", "SayText", u"x"), StoreError);
    EXPECT_THROW(store.fAddRecord("tbl_Rules", "RuleID", u"7"), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText = SayText OR 1=1 --", u"kept", u"x"), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Userdef", "UDID", u"1", u"9"), StoreError);
    EXPECT_EQ(bytesOf(db.path()), before);
}

// tbl_Userdef answers to both spellings; a key is never given twice, even after the newest record
// was deleted.
TEST_F(StoreRecords, KeysAreNeverGivenTwiceAndTheUserDefinedTableAnswersToBothSpellings) {
    store.fAddRecord("tbl_Userdef", "UserD1", u"a");
    store.fAddRecord("tbl_UserDef", "UserD1", u"b");
    store.fDelRecord("tbl_UserDef", "userd1", u"b");
    store.fAddRecord("tbl_Userdef", "UserD1", u"c");
    store.fChangeRecord("tbl_UserDef", "userd1", u"a", u"d");
    EXPECT_EQ(rows("SELECT * FROM tbl_Userdef"), (Rows{u"1|d|(null)", u"3|c|(null)"}));
    EXPECT_EQ(store.addRule(u"one"), 1);
    store.deleteRule(store.addRule(u"two"));
    EXPECT_EQ(store.addRule(u"three"), 3);
    EXPECT_FALSE(store.ruleExists(2));
}

TEST_F(StoreRecords, FirstColumnReadsInStoredOrderWithNullsKeptAndRunsOnlyOneReadingStatement) {
    run("INSERT INTO tbl_Say (SayText) VALUES ('b'), (NULL), (''), ('a');");
    EXPECT_EQ(store.firstColumn("Select SayText from tbl_Say"),
              (std::vector<std::optional<std::u16string>>{u"b", std::nullopt, u"", u"a"}));
    for (const char* sql : {"DELETE FROM tbl_Say", "SELECT SayText FROM tbl_Say; DELETE FROM tbl_Say",
                            "SELECT Nope FROM tbl_Say", ""})
        EXPECT_THROW(store.firstColumn(sql), StoreError) << sql;
    EXPECT_EQ(say().size(), 4u);
}

} // namespace
} // namespace brassbell
