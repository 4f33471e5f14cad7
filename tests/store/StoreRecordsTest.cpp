// fAddRecord, fChangeRecord, fDelRecord and firstColumn: texts exactly as typed, the first
// record only, and nothing changed on a failure.
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>

namespace brassbell {
namespace {

using test::bytesOf;
using test::execute;
using test::peek;
using Rows = std::vector<std::u16string>;

class StoreRecords : public ::testing::Test {
protected:
    void SetUp() override { store.fDBConnect(true); }
    Rows say() { return peek(db.path(), "SELECT rowid, SayText FROM tbl_Say ORDER BY rowid"); }

    TempRulesDb db;
    Store store{db.path()};
};

struct TextTable {
    const char* table;
    const char* field;
};

class StoreTextTables : public StoreRecords, public ::testing::WithParamInterface<TextTable> {};

// Quotes, an attempted injection, line breaks and characters beyond Latin-1 all go in and
// are found again exactly.
TEST_P(StoreTextTables, OddTextsAreAddedChangedAndDeletedLikeAnyOther) {
    const auto [table, field] = GetParam();
    const std::string select = std::string("SELECT ") + field + " FROM " + table + " ORDER BY rowid";
    const std::u16string texts[] = {u"Don't camp, it's rude", u"x'); DROP TABLE tbl_Say; --",
                                    u"line1\r\nline2", u"\u00e4\u00f6\u00fc \u0416 \U0001F600",
                                    u"  padded  "};
    for (const auto& text : texts)
        store.fAddRecord(table, field, text);
    EXPECT_EQ(peek(db.path(), select), Rows(std::begin(texts), std::end(texts)));

    for (const auto& text : texts)
        store.fChangeRecord(table, field, text, text + u"'!");
    for (const auto& text : texts)
        store.fDelRecord(table, field, text + u"'!");
    EXPECT_TRUE(peek(db.path(), select).empty());
    EXPECT_EQ(peek(db.path(), "SELECT count(*) FROM tbl_Say WHERE 0").size(), 1u) << "tbl_Say is still there";
}

INSTANTIATE_TEST_SUITE_P(Tables, StoreTextTables,
                         ::testing::Values(TextTable{"tbl_Say", "SayText"},
                                           TextTable{"tbl_RndSpeak", "RandomSpeak"},
                                           TextTable{"TBL_SAY", "saytext"}));

TEST_F(StoreRecords, ATextStoredTwiceIsChangedAndDeletedInItsFirstRecordOnly) {
    for (const auto* text : {u"dup", u"other", u"dup"})
        store.fAddRecord("tbl_Say", "SayText", text);
    store.fChangeRecord("tbl_Say", "SayText", u"dup", u"changed");
    EXPECT_EQ(say(), (Rows{u"1|changed", u"2|other", u"3|dup"}));
    store.fAddRecord("tbl_Say", "SayText", u"dup");
    store.fDelRecord("tbl_Say", "SayText", u"dup");
    EXPECT_EQ(say(), (Rows{u"1|changed", u"2|other", u"4|dup"}));
}

TEST_F(StoreRecords, TextsDifferingOnlyInCaseAreDifferentTexts) {
    store.fAddRecord("tbl_Say", "SayText", u"Hello");
    store.fAddRecord("tbl_Say", "SayText", u"hello");
    store.fChangeRecord("tbl_Say", "SayText", u"hello", u"hi");
    EXPECT_EQ(say(), (Rows{u"1|Hello", u"2|hi"}));
    store.fDelRecord("tbl_Say", "SayText", u"Hello");
    EXPECT_EQ(say(), (Rows{u"2|hi"}));
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"HI"), StoreError);
}

TEST_F(StoreRecords, ChangeOrDeleteOfATextNoLongerStoredFailsAndChangesNothing) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText", u"gone", u"new"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"gone"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"kep"), StoreError);
    EXPECT_EQ(say(), (Rows{u"1|kept"}));
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

TEST_F(StoreRecords, TheUserDefinedTableAnswersToBothSpellings) {
    store.fAddRecord("tbl_Userdef", "UserD1", u"a");
    store.fAddRecord("tbl_UserDef", "UserD1", u"b");
    store.fChangeRecord("tbl_UserDef", "userd1", u"a", u"c");
    EXPECT_EQ(peek(db.path(), "SELECT UDID, UserD1, Kind FROM tbl_Userdef"),
              (Rows{u"1|c|(null)", u"2|b|(null)"}));
}

TEST_F(StoreRecords, AKeyIsNeverGivenTwiceEvenAfterTheNewestRecordWasDeleted) {
    store.fAddRecord("tbl_Userdef", "UserD1", u"a");
    store.fAddRecord("tbl_Userdef", "UserD1", u"b");
    store.fDelRecord("tbl_Userdef", "UserD1", u"b");
    store.fAddRecord("tbl_Userdef", "UserD1", u"c");
    EXPECT_EQ(peek(db.path(), "SELECT UDID, UserD1 FROM tbl_Userdef"), (Rows{u"1|a", u"3|c"}));

    const auto first = store.addRule(u"one");
    const auto second = store.addRule(u"two");
    store.deleteRule(second);
    const auto third = store.addRule(u"three");
    EXPECT_EQ(first, 1);
    EXPECT_EQ(third, 3);
    EXPECT_FALSE(store.ruleExists(second));
}

TEST_F(StoreRecords, DeletingARuleOrLanguageByTextTakesItsTranslationsAlong) {
    const auto rule = store.addRule(u"No spawn killing");
    const auto other = store.addRule(u"No camping");
    const auto lang = store.addLanguage(u"Deutsch");
    store.addTranslation(lang, rule, u"Kein Spawnkill");
    store.addTranslation(lang, other, u"Nicht campen");
    store.fDelRecord("tbl_Rules", "RuleBasicLang", u"No spawn killing");
    EXPECT_EQ(peek(db.path(), "SELECT RuleID, Translation FROM tbl_Text"), (Rows{u"2|Nicht campen"}));
    store.fDelRecord("tbl_Langs", "Language", u"Deutsch");
    EXPECT_TRUE(peek(db.path(), "SELECT * FROM tbl_Text").empty());
    EXPECT_EQ(peek(db.path(), "SELECT RuleID FROM tbl_Rules"), (Rows{u"2"}));
}

TEST_F(StoreRecords, FirstColumnDeliversInStoredOrderWithNullsKept) {
    execute(db.path(), "INSERT INTO tbl_Say (SayText) VALUES ('b'), (NULL), (''), ('a');");
    EXPECT_EQ(store.firstColumn("Select SayText from tbl_Say"),
              (std::vector<std::optional<std::u16string>>{u"b", std::nullopt, u"", u"a"}));
}

TEST_F(StoreRecords, FirstColumnRunsOnlyOneStatementThatReads) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    EXPECT_THROW(store.firstColumn("DELETE FROM tbl_Say"), StoreError);
    EXPECT_THROW(store.firstColumn("SELECT SayText FROM tbl_Say; DELETE FROM tbl_Say"), StoreError);
    EXPECT_THROW(store.firstColumn("SELECT Nope FROM tbl_Say"), StoreError);
    EXPECT_THROW(store.firstColumn(""), StoreError);
    EXPECT_EQ(say(), (Rows{u"1|kept"}));
}

} // namespace
} // namespace brassbell
