// Rules, languages, translations and user-defined entries: keys, cascades and all-or-nothing.
#include "OpenRulesDb.h"

namespace brassbell {
namespace {

using test::bytesOf;
using test::Rows;

class StoreRules : public test::OpenRulesDb {
protected:
    Rows text() { return rows("SELECT RID, LangID, RuleID, Translation FROM tbl_Text ORDER BY rowid"); }
};

// By key or by text in the lists' own fields.
TEST_F(StoreRules, DeletingARuleOrALanguageLeavesNoneOfItsTranslations) {
    const auto rule = store.addRule(u"Be fair");
    const auto other = store.addRule(u"No camping");
    const auto third = store.addRule(u"No spawn killing");
    for (const auto* name : {u"Deutsch", u"Fran\u00e7ais", u"Espa\u00f1ol"})
        store.addTranslation(store.addLanguage(name), rule, u"t");
    store.addTranslation(1, other, u"Nicht campen");
    store.addTranslation(2, other, u"Pas de camping");
    store.addTranslation(3, third, u"Sin spawnkill");
    store.deleteRule(rule);
    EXPECT_EQ(text(), (Rows{u"4|1|2|Nicht campen", u"5|2|2|Pas de camping", u"6|3|3|Sin spawnkill"}));
    EXPECT_FALSE(store.ruleExists(rule));
    store.deleteLanguage(1);
    EXPECT_EQ(text(), (Rows{u"5|2|2|Pas de camping", u"6|3|3|Sin spawnkill"}));
    store.fDelRecord("tbl_Rules", "RuleBasicLang", u"No spawn killing");
    EXPECT_EQ(text(), (Rows{u"5|2|2|Pas de camping"}));
    store.fDelRecord("tbl_Langs", "Language", u"Fran\u00e7ais");
    EXPECT_TRUE(text().empty());
    EXPECT_EQ(rows("SELECT * FROM tbl_Rules"), (Rows{u"2|No camping"}));
    EXPECT_EQ(store.languageNames(), (Rows{u"Espa\u00f1ol"}));
}

// A deletion that fails half-way (here a trigger stands in for a disk error) keeps the
// translations too: the cascade is one transaction.
TEST_F(StoreRules, ACascadeThatFailsHalfWayKeepsEverything) {
    const auto rule = store.addRule(u"Be fair");
    const auto lang = store.addLanguage(u"Deutsch");
    store.addTranslation(lang, rule, u"Sei fair");
    run("CREATE TRIGGER refuse_rules BEFORE DELETE ON tbl_Rules BEGIN SELECT RAISE(ABORT, 'no'); END;"
        "CREATE TRIGGER refuse_langs BEFORE DELETE ON tbl_Langs BEGIN SELECT RAISE(ABORT, 'no'); END;");
    const std::string before = bytesOf(db.path());
    EXPECT_THROW(store.deleteRule(rule), StoreError);
    EXPECT_THROW(store.deleteLanguage(lang), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Rules", "RuleBasicLang", u"Be fair"), StoreError);
    EXPECT_EQ(bytesOf(db.path()), before);
    EXPECT_EQ(text(), (Rows{u"1|1|1|Sei fair"}));
}

TEST_F(StoreRules, OperationsOnAKeyThatIsGoneFailAndChangeNothing) {
    const auto rule = store.addRule(u"Be fair");
    const auto lang = store.addLanguage(u"Deutsch");
    store.addTranslation(lang, rule, u"Sei fair");
    store.addUserDef(u"kick", u"Command");
    // A translation left behind by an older file must survive a failed rule deletion.
    run("INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (1, 99, 'orphan');");
    const std::string before = bytesOf(db.path());

    EXPECT_THROW(store.changeRule(99, u"x"), StoreError);
    EXPECT_THROW(store.deleteRule(99), StoreError);
    EXPECT_THROW(store.renameLanguage(99, u"x"), StoreError);
    EXPECT_THROW(store.deleteLanguage(99), StoreError);
    EXPECT_THROW(store.addTranslation(lang, 99, u"x"), StoreError);
    EXPECT_THROW(store.addTranslation(99, rule, u"x"), StoreError);
    EXPECT_THROW(store.changeTranslation(99, u"x"), StoreError);
    EXPECT_THROW(store.deleteTranslation(99), StoreError);
    EXPECT_THROW(store.changeUserDef(99, u"x", u"y"), StoreError);
    EXPECT_THROW(store.deleteUserDef(99), StoreError);
    EXPECT_EQ(bytesOf(db.path()), before);
}

TEST_F(StoreRules, LanguagesAreFoundByTheirExactName) {
    store.addLanguage(u"Engl'ish");
    const auto second = store.addLanguage(u"english");
    store.addLanguage(u"english");
    EXPECT_EQ(store.languageIdByName(u"Engl'ish"), 1);
    EXPECT_EQ(store.languageIdByName(u"english"), second);
    EXPECT_EQ(store.languageIdByName(u"English"), std::nullopt);
    EXPECT_EQ(store.languageName(second), u"english");
    EXPECT_EQ(store.languageName(99), std::nullopt);
}

TEST_F(StoreRules, TranslationLookupGivesTheFirstAndReadsNullAsEmpty) {
    const auto rule = store.addRule(u"Be fair");
    const auto de = store.addLanguage(u"Deutsch");
    const auto fr = store.addLanguage(u"Fran\u00e7ais");
    run("INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (2, 1, NULL);");
    const auto first = store.addTranslation(de, rule, u"Sei fair");
    store.addTranslation(de, rule, u"Sei nett");
    EXPECT_EQ(store.fGetTranslation(rule, de), u"Sei fair");
    EXPECT_EQ(store.findTranslation(rule, de), first);
    EXPECT_EQ(store.fGetTranslation(rule, fr), u"");
    EXPECT_EQ(store.findTranslation(rule, fr), 1);
    EXPECT_EQ(store.fGetTranslation(rule, 99), u"");
    EXPECT_EQ(store.findTranslation(rule, 99), std::nullopt);
}

} // namespace
} // namespace brassbell
