// What StoreModelTest cannot make: records put in behind the store's back, refused requests, a
// cascade failing half-way and a huge text.
#include "store/Snapshot.h"

#include "OpenRulesDb.h"

#include <functional>

namespace brassbell::testing {
namespace {

class StoreTest : public OpenRulesDb {
protected:
    Rows sys() { return rows("SELECT Para, Val, typeof(Val) FROM tbl_Sys ORDER BY rowid"); }
};

// Names outside the schema, keys the database numbers, statements that do more than read one result.
TEST_F(StoreTest, RefusedRequestsChangeNothing) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    const std::string before = bytesOf(db.path());
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"unknown table", [&] { store.fAddRecord("tbl_Nope", "SayText", u"x"); }},
        {"unknown field", [&] { store.fAddRecord("tbl_Say", "Nope", u"x"); }},
        {"statement for a table", [&] { store.fAddRecord("tbl_Say; DROP TABLE tbl_Say", "SayText", u"x"); }},
        {"statement for a field",
         [&] { store.fChangeRecord("tbl_Say", "SayText = SayText OR 1=1 --", u"kept", u"x"); }},
        {"numbered key added", [&] { store.fAddRecord("tbl_Rules", "RuleID", u"7"); }},
        {"numbered key changed", [&] { store.fChangeRecord("tbl_Userdef", "UDID", u"1", u"9"); }},
        {"list of a deletion", [&] { store.firstColumn("DELETE FROM tbl_Say"); }},
        {"list then a deletion",
         [&] { store.firstColumn("SELECT SayText FROM tbl_Say; DELETE FROM tbl_Say"); }},
        {"list of an unknown field", [&] { store.firstColumn("SELECT Nope FROM tbl_Say"); }},
        {"list of nothing", [&] { store.firstColumn(""); }},
        {"snapshot of a deletion", [&] { readSnapshot(db.path(), "DELETE FROM tbl_Say", true); }},
        {"snapshot of a missing file", [&] { readSnapshot(db.folder() / "Other.mdb", "tbl_Say", false); }},
    };
    for (const auto& [name, request] : cases)
        EXPECT_THROW(request(), StoreError) << name;
    EXPECT_EQ(bytesOf(db.path()), before);
    EXPECT_FALSE(std::filesystem::exists(db.folder() / "Other.mdb"));
}

// A trigger stands in for a disk error: the cascade is one transaction.
TEST_F(StoreTest, ACascadeThatFailsHalfWayKeepsEverything) {
    store.addTranslation(store.addLanguage(u"Deutsch"), store.addRule(u"Be fair"), u"Sei fair");
    run("CREATE TRIGGER refuse_rules BEFORE DELETE ON tbl_Rules BEGIN SELECT RAISE(ABORT, 'no'); END;"
        "CREATE TRIGGER refuse_langs BEFORE DELETE ON tbl_Langs BEGIN SELECT RAISE(ABORT, 'no'); END;");
    const std::string before = bytesOf(db.path());
    EXPECT_THROW(store.deleteRule(1), StoreError);
    EXPECT_THROW(store.deleteLanguage(1), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Rules", "RuleBasicLang", u"Be fair"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Langs", "Language", u"Deutsch"), StoreError);
    EXPECT_EQ(bytesOf(db.path()), before);
}

// Files made by other tools hold Null: a list keeps it apart, every other read shows the empty text.
TEST_F(StoreTest, NullReadsAsTheEmptyText) {
    run("INSERT INTO tbl_Say (SayText) VALUES ('b'), (NULL), ('');"
        "INSERT INTO tbl_Rules (RuleBasicLang) VALUES (NULL); INSERT INTO tbl_Langs (Language) VALUES (NULL);"
        "INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (1, 1, NULL), (1, 1, 'second');"
        "INSERT INTO tbl_Sys (Para, Val) VALUES ('Empty', NULL);");
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say"),
              (std::vector<std::optional<std::u16string>>{u"b", std::nullopt, u""}));
    EXPECT_EQ(store.fGetTranslation(1, 1), u"");
    EXPECT_EQ(store.findTranslation(1, 1), 1);
    EXPECT_EQ(store.languageName(1), u"");
    EXPECT_EQ(store.languageNames(), Rows{u""});
    EXPECT_EQ(store.fGetSysPara(u"Empty"), u"");
}

// An interval that is not a whole number (blanks and a sign allowed) reads as 60 seconds. A
// missing setting reads as its default without writing, a doubled one as its first record.
TEST_F(StoreTest, StoredSettingsReadAsTheFirstRecordOrTheDefault) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"'30'", 30},  {"' 45 '", 45}, {"'+20'", 20},   {"'-5'", -5},  {"45", 45},    {"NULL", 60},
        {"''", 60},    {"'abc'", 60},  {"'12abc'", 60}, {"'1.5'", 60}, {"'+-5'", 60}, {"'99999999999'", 60},
        {"no row", 60}};
    for (const auto& [val, read] : cases) {
        const bool missing = val == "no row";
        const std::string rows = "('TabStart', '5'), ('RndTimer', " + val + "), ('TabStart', '6')";
        run("DELETE FROM tbl_Sys;" + (missing ? "" : "INSERT INTO tbl_Sys (Para, Val) VALUES " + rows + ";"));
        const Rows before = sys();
        EXPECT_EQ(store.fGetRndTimer(), read) << val;
        EXPECT_EQ(store.fGetSysPara(u"TabStart"), missing ? u"0" : u"5") << val;
        EXPECT_EQ(sys(), before) << val << ": reading must not write";
    }
    EXPECT_EQ(store.fGetSysPara(u"RndTimer"), u"60");
    EXPECT_EQ(store.fGetSysPara(u"Unknown"), u"");
    store.fSetSysPara(u"TabStart", u"3");
    store.fSetRndTimer(20);
    run("INSERT INTO tbl_Sys (Para, Val) VALUES ('TabStart', '5');");
    store.fSetSysPara(u"TabStart", u"4");
    EXPECT_EQ(sys(), (Rows{u"TabStart|4|text", u"RndTimer|20|text", u"TabStart|5|text"}));
}

TEST_F(StoreTest, ATextOfHundredsOfThousandsOfCharactersIsKeptWhole) {
    const std::u16string text = std::u16string(300000, u'\u00e4') + u"'\U0001F600";
    store.fAddRecord("tbl_Say", "SayText", text);
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say"),
              (std::vector<std::optional<std::u16string>>{text}));
}

} // namespace
} // namespace brassbell::testing
