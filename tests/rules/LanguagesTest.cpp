#include "RulesTabFixture.h"

namespace brassbell::testing {
namespace {

TEST_F(RulesTabTest, PickingALanguageWithoutTranslationsShowsTheFourHeadersAndNoRows) {
    stock({u"Be fair"}, {u"German"});
    startUp();
    clickRuleNamed("Be fair");
    EXPECT_EQ(tab->TextBox2->text(), "Be fair");
    // Typing a language's name picks nothing.
    typeIntoLanguageBox("German");
    EXPECT_EQ(tab->Label7->text(), "Rule");
    EXPECT_EQ(tab->LangKey->text(), "");
    EXPECT_EQ(comboEntries(), QStringList({"German"}));

    pickLanguage("German");

    EXPECT_EQ(headers(tab->ListView3), QStringList({"RID", "LangID", "RuleID", "Translation"}));
    EXPECT_EQ(tab->ListView3->topLevelItemCount(), 0);
    expectTranslationMode("German");
    EXPECT_EQ(tab->LangKey->text(), QString::number(langKeys[0]));
    EXPECT_EQ(tab->TextBox2->text(), "");
}

TEST_F(RulesTabTest, AClickInTheBasicListShowsTheRuleOrItsTranslation) {
    stock({u"Be fair", u"No camping"}, {u"German"});
    store.addTranslation(langKeys[0], ruleKeys[0], u"Fair spielen");
    startUp();

    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox1->toPlainText(), "No camping");
    EXPECT_EQ(tab->TextBox2->text(), "No camping");

    pickLanguage("German");
    clickRuleNamed("Be fair");
    EXPECT_EQ(tab->TextBox1->toPlainText(), "Be fair");
    EXPECT_EQ(tab->BasicRuleKey->text(), QString::number(ruleKeys[0]));
    EXPECT_EQ(tab->TextBox2->text(), "Fair spielen");

    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox2->text(), "");
    // The click in the basic list leaves the speak list's memory alone.
    EXPECT_EQ(tab->SelTrans->text(), "");
}

TEST_F(RulesTabTest, TwoLanguagesOfOneNameListBothAndTakeTheFirstKey) {
    stock({u"Be fair"}, {u"German", u"German"});
    store.addTranslation(langKeys[1], ruleKeys[0], u"Fair spielen");
    store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    startUp();
    pickLanguage("German");
    EXPECT_EQ(speakList(), QStringList({"Fair spielen", "Bitte fair"}));
    EXPECT_EQ(tab->LangKey->text(), QString::number(langKeys[0]));
}

TEST_F(RulesTabTest, AddingALanguageEmptiesTheSpeakListWhateverTheAnswer) {
    stock({u"Be fair"}, {u"German"});
    startUp();
    dialogs.cancelInput();
    click(tab->CAddLang);
    EXPECT_EQ(dialogs.last(), ScriptedDialogs::input("Please enter you language", "New Language", ""));
    EXPECT_EQ(tab->ListView3->columnCount(), 0);
    EXPECT_EQ(tab->ListView3->topLevelItemCount(), 0);
    expectRuleMode();
    EXPECT_EQ(languages(), QStringList({"German"}));

    pickLanguage("German");
    dialogs.typeIntoInput("Fran'ais");
    click(tab->CAddLang);
    EXPECT_EQ(languages(), QStringList({"German", "Fran'ais"}));
    EXPECT_EQ(comboEntries(), QStringList({"German", "Fran'ais"}));
    EXPECT_EQ(tab->Combo1->currentText(), "");
    EXPECT_EQ(tab->ListView3->columnCount(), 0);
    EXPECT_EQ(tab->Label7->text(), "Translation");

    // A name with an apostrophe is picked like any other.
    pickLanguage("Fran'ais");
    EXPECT_EQ(headers(tab->ListView3).size(), 4);
    EXPECT_FALSE(tab->LangKey->text().isEmpty());
}

TEST_F(RulesTabTest, RenamingActsOnTheKeyedLanguageAndNamesItAsStored) {
    stock({u"Be fair"}, {u"German", u"Klingon"});
    startUp();
    pickLanguage("German");
    typeIntoLanguageBox("Klingon");

    dialogs.typeIntoInput("Deutsch");
    click(tab->CChLang);

    EXPECT_EQ(dialogs.last(), ScriptedDialogs::input("Please change the language description like you want",
                                                     "Change language description", "German"));
    EXPECT_EQ(languages(), QStringList({"Deutsch", "Klingon"}));
    EXPECT_EQ(comboEntries(), QStringList({"Deutsch", "Klingon"}));
    EXPECT_EQ(tab->Combo1->currentText(), "");
    EXPECT_EQ(tab->LangKey->text(), QString::number(langKeys[0]));
    EXPECT_EQ(tab->Label7->text(), "Translation");

    // With the box empty again, renaming does nothing.
    click(tab->CChLang);
    dialogs.cancelInput();
    typeIntoLanguageBox("Deutsch");
    click(tab->CChLang);
    EXPECT_EQ(languages(), QStringList({"Deutsch", "Klingon"}));
}

TEST_F(RulesTabTest, DeletingALanguageTakesItsTranslationsAndReturnsToRuleMode) {
    stock({u"Be fair"}, {u"German", u"French"});
    store.addTranslation(langKeys[0], ruleKeys[0], u"Fair spielen");
    store.addTranslation(langKeys[1], ruleKeys[0], u"Jouez fair");
    store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    startUp();
    pickLanguage("German");
    typeIntoLanguageBox("French");

    dialogs.answerNo();
    click(tab->CDelLang);
    EXPECT_EQ(translations().size(), 3);

    dialogs.answerYes();
    click(tab->CDelLang);

    EXPECT_EQ(dialogs.messages().back(),
              ScriptedDialogs::message(
                  "Do you want to delete the language: German?\r\nThis will also delete all present "
                  "rules for this language!!!",
                  "Delete this language?", MsgButtons::YesNo));
    EXPECT_EQ(languages(), QStringList({"French"}));
    EXPECT_EQ(translations(), QStringList({"Jouez fair"}));
    expectRuleMode();
    EXPECT_EQ(speakList(), QStringList({"Be fair"}));
    EXPECT_EQ(comboEntries(), QStringList({"French"}));

    // No language keyed any more: deleting does nothing.
    typeIntoLanguageBox("French");
    click(tab->CDelLang);
    EXPECT_EQ(languages(), QStringList({"French"}));
}

TEST_F(RulesTabTest, ALanguageGoneFromTheDatabaseIsNeverActedOn) {
    stock({u"Be fair"}, {u"German", u"French"});
    startUp();
    clickRuleNamed("Be fair");
    pickLanguage("German");
    store.deleteLanguage(langKeys[0]);

    // The key still names the vanished record.
    for (QPushButton* button : {tab->CDelLang, tab->CChLang}) {
        dialogs.answerOk();
        click(button);
        EXPECT_EQ(dialogs.last().title, "Language not found") << button->objectName().toStdString();
    }
    dialogs.answerOk();
    click(tab->CAddLangRule);
    EXPECT_EQ(dialogs.last().text, "No language selected...please select a language first");

    // Picked again from the stale box: no key at all, so nothing to rename, delete or add to.
    pickLanguage("German");
    EXPECT_EQ(tab->LangKey->text(), "");
    click(tab->CDelLang);
    click(tab->CChLang);
    dialogs.answerOk();
    click(tab->CAddLangRule);

    EXPECT_EQ(dialogs.shown().size(), 4u);
    EXPECT_TRUE(dialogCaptions.isEmpty());
    EXPECT_EQ(languages(), QStringList({"French"}));
    EXPECT_TRUE(translations().isEmpty());
    EXPECT_TRUE(store.ruleExists(ruleKeys[0]));
}

} // namespace
} // namespace brassbell::testing
