#include "RulesTabFixture.h"

#include <QLabel>

namespace brassbell::testing {
namespace {

TEST_F(RulesTabTest, PickingALanguageWithoutTranslationsShowsTheFourHeadersAndNoRows) {
    store.addRule(u"Be fair");
    const auto german = store.addLanguage(u"German");
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
    EXPECT_EQ(tab->Label7->text(), "Translation");
    EXPECT_EQ(translationButtonsEnabled(), 3);
    EXPECT_EQ(tab->LangKey->text(), QString::number(german));
    EXPECT_EQ(tab->TextBox2->text(), "");
}

TEST_F(RulesTabTest, AClickInTheBasicListShowsTheRuleOrItsTranslation) {
    const auto fair = store.addRule(u"Be fair");
    store.addRule(u"No camping");
    const auto german = store.addLanguage(u"German");
    store.addTranslation(german, fair, u"Fair spielen");
    startUp();

    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox1->toPlainText(), "No camping");
    EXPECT_EQ(tab->TextBox2->text(), "No camping");

    pickLanguage("German");
    clickRuleNamed("Be fair");
    EXPECT_EQ(tab->TextBox1->toPlainText(), "Be fair");
    EXPECT_EQ(tab->BasicRuleKey->text(), QString::number(fair));
    EXPECT_EQ(tab->TextBox2->text(), "Fair spielen");

    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox2->text(), "");
    // The click in the basic list leaves the speak list's memory alone.
    EXPECT_EQ(tab->SelTrans->text(), "");
}

TEST_F(RulesTabTest, TwoLanguagesOfOneNameListBothAndTakeTheFirstKey) {
    const auto rule = store.addRule(u"Be fair");
    const auto first = store.addLanguage(u"German");
    const auto second = store.addLanguage(u"German");
    store.addTranslation(second, rule, u"Fair spielen");
    store.addTranslation(first, rule, u"Bitte fair");
    startUp();

    pickLanguage("German");

    EXPECT_EQ(rowTexts(tab->ListView3, 3), QStringList({"Fair spielen", "Bitte fair"}));
    EXPECT_EQ(tab->LangKey->text(), QString::number(first));
}

TEST_F(RulesTabTest, AddingALanguageEmptiesTheSpeakListWhateverTheAnswer) {
    store.addRule(u"Be fair");
    store.addLanguage(u"German");
    startUp();

    dialogs.cancelInput();
    click(tab->CAddLang);
    EXPECT_EQ(dialogs.last(), ScriptedDialogs::input("Please enter you language", "New Language", ""));
    EXPECT_EQ(tab->ListView3->columnCount(), 0);
    EXPECT_EQ(tab->ListView3->topLevelItemCount(), 0);
    EXPECT_EQ(tab->Label7->text(), "Rule");
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
    store.addRule(u"Be fair");
    const auto german = store.addLanguage(u"German");
    store.addLanguage(u"Klingon");
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
    EXPECT_EQ(tab->LangKey->text(), QString::number(german));
    EXPECT_EQ(tab->Label7->text(), "Translation");

    // With the box empty again, renaming does nothing.
    click(tab->CChLang);
    dialogs.cancelInput();
    typeIntoLanguageBox("Deutsch");
    click(tab->CChLang);
    EXPECT_EQ(languages(), QStringList({"Deutsch", "Klingon"}));
}

TEST_F(RulesTabTest, DeletingALanguageTakesItsTranslationsAndReturnsToRuleMode) {
    const auto rule = store.addRule(u"Be fair");
    const auto german = store.addLanguage(u"German");
    const auto french = store.addLanguage(u"French");
    store.addTranslation(german, rule, u"Fair spielen");
    store.addTranslation(french, rule, u"Jouez fair");
    store.addTranslation(german, rule, u"Bitte fair");
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
    EXPECT_EQ(tab->Label7->text(), "Rule");
    EXPECT_EQ(rowTexts(tab->ListView3, 3), QStringList({"Be fair"}));
    EXPECT_EQ(translationButtonsEnabled(), 0);
    EXPECT_EQ(tab->Combo1->currentText(), "");
    EXPECT_EQ(comboEntries(), QStringList({"French"}));
    EXPECT_EQ(tab->LangKey->text(), "");

    // No language keyed any more: deleting does nothing.
    typeIntoLanguageBox("French");
    click(tab->CDelLang);
    EXPECT_EQ(languages(), QStringList({"French"}));
}

TEST_F(RulesTabTest, ALanguageGoneFromTheDatabaseIsNeverActedOn) {
    const auto rule = store.addRule(u"Be fair");
    const auto german = store.addLanguage(u"German");
    store.addLanguage(u"French");
    startUp();
    clickRuleNamed("Be fair");
    pickLanguage("German");
    store.deleteLanguage(german);

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
    EXPECT_TRUE(store.ruleExists(rule));
}

} // namespace
} // namespace brassbell::testing
