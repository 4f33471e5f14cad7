#include "RulesTabFixture.h"

namespace brassbell::testing {
namespace {

// The rules "Be fair" and "No camping", the language German; the tab started, "Be fair" and German chosen.
class TranslationsTest : public RulesTabTest {
protected:
    void SetUp() override {
        stock({u"Be fair", u"No camping"}, {u"German"});
        startUp();
        clickRuleNamed("Be fair");
        pickLanguage("German");
    }
};

TEST_F(RulesTabTest, AddingATranslationNeedsALanguageAndARule) {
    stock({u"Be fair"}, {u"German"});
    startUp();
    pickLanguage("German");
    typeIntoLanguageBox("");
    dialogs.answerOk();
    click(tab->CAddLangRule);
    EXPECT_EQ(dialogs.last(),
              ScriptedDialogs::message("No language selected...please select a language first",
                                       "No language selected", MsgButtons::Ok, MsgIcon::Critical));

    pickLanguage("German");
    dialogs.answerOk();
    click(tab->CAddLangRule);
    EXPECT_EQ(dialogs.last(),
              ScriptedDialogs::message("No basic language rule selected. To add a translation you "
                                       "have to select a basic rule first",
                                       "No basic rule selected", MsgButtons::Ok, MsgIcon::Critical));

    // A text typed into TextBox1 names no rule.
    tab->TextBox1->setPlainText("Be fair");
    dialogs.answerOk();
    click(tab->CAddLangRule);
    EXPECT_EQ(dialogs.last().title, "No basic rule selected");
    EXPECT_TRUE(dialogCaptions.isEmpty());
    EXPECT_TRUE(translations().isEmpty());
}

TEST_F(TranslationsTest, AddedTranslationsAppearInTheSpeakList) {
    cancelDialog();
    click(tab->CAddLangRule);
    applyInDialog("");
    click(tab->CAddLangRule);
    EXPECT_TRUE(translations().isEmpty());

    applyInDialog("Bitte fair");
    click(tab->CAddLangRule);
    clickRow(tab->ListView3, 0);
    applyInDialog("Fair spielen, bitte");
    click(tab->CAddLangRule);

    EXPECT_EQ(dialogCaptions, QStringList(4, "AddGerman translation"));
    EXPECT_EQ(dialogInitialTexts, QStringList(4, ""));
    EXPECT_EQ(translations(), QStringList({"Bitte fair", "Fair spielen, bitte"}));
    EXPECT_EQ(speakList(), translations());
    EXPECT_EQ(tab->TextBox2->text(), "");
    expectTranslationMode("German");
    EXPECT_EQ(tab->LangKey->text(), QString::number(langKeys[0]));
    // The first of the two is what a click on the rule shows.
    clickRuleNamed("Be fair");
    EXPECT_EQ(tab->TextBox2->text(), "Bitte fair");
}

TEST_F(TranslationsTest, ChangingStartsFromTextBox2AndStoresOnlyANewText) {
    store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    store.addTranslation(langKeys[0], ruleKeys[1], u"Nicht campen");
    pickLanguage("German");
    clickSpeakRowNamed("Nicht campen");
    const QString rid = tab->SelTrans->text();

    applyInDialog("Nicht campen");
    click(tab->CEditLangRule);
    closeDialogBox();
    click(tab->CEditLangRule);
    EXPECT_EQ(tab->TextBox2->text(), "Nicht campen");

    // Edited by hand, the text is still that translation's.
    tab->TextBox2->setText("Nicht campe");
    applyInDialog("Kein Campen");
    click(tab->CEditLangRule);

    EXPECT_EQ(dialogCaptions, QStringList(3, "Edit your rule"));
    EXPECT_EQ(dialogInitialTexts, QStringList({"Nicht campen", "Nicht campen", "Nicht campe"}));
    EXPECT_EQ(translations(), QStringList({"Bitte fair", "Kein Campen"}));
    EXPECT_EQ(speakList(), QStringList({"Bitte fair", "Kein Campen"}));
    EXPECT_EQ(tab->TextBox2->text(), "");
    EXPECT_EQ(tab->SelTrans->text(), rid);
    // With TextBox2 empty, changing and deleting do nothing.
    click(tab->CEditLangRule);
    click(tab->CDelLangRule);
}

TEST_F(TranslationsTest, ATranslationShownByTheBasicListIsTheOneChanged) {
    store.addTranslation(langKeys[0], ruleKeys[1], u"Nicht campen");
    store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    pickLanguage("German");
    clickRuleNamed("Be fair");

    applyInDialog("Fair spielen");
    click(tab->CEditLangRule);

    EXPECT_EQ(translations(), QStringList({"Nicht campen", "Fair spielen"}));
}

TEST_F(TranslationsTest, ARuleKeyFromRuleModeIsNeverTakenForATranslation) {
    // The translation's RID equals the key of the rule "Be fair".
    const auto rid = store.addTranslation(langKeys[0], ruleKeys[1], u"Nicht campen");
    ASSERT_EQ(rid, ruleKeys[0]);
    tab->useBasicLanguage();
    clickSpeakRowNamed("Be fair");
    EXPECT_EQ(tab->SelTrans->text(), QString::number(ruleKeys[0]));
    pickLanguage("German");

    // The text came from nowhere in particular: no translation is shown, none is touched.
    tab->TextBox2->setText("Be fair");
    click(tab->CEditLangRule);
    click(tab->CDelLangRule);
    // The clicked rule has no German translation; the other rule's stays as it is.
    clickRuleNamed("Be fair");
    EXPECT_EQ(tab->TextBox2->text(), "");
    tab->TextBox2->setText("typed");
    click(tab->CEditLangRule);
    click(tab->CDelLangRule);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(dialogCaptions.isEmpty());
    EXPECT_EQ(translations(), QStringList({"Nicht campen"}));
}

TEST_F(TranslationsTest, DeletingAsksAboutTheShownTranslation) {
    store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    store.addTranslation(langKeys[0], ruleKeys[1], u"Nicht campen");
    pickLanguage("German");
    clickSpeakRowNamed("Bitte fair");
    const QString rid = tab->SelTrans->text();

    dialogs.answerNo();
    click(tab->CDelLangRule);
    EXPECT_EQ(translations().size(), 2);
    EXPECT_EQ(tab->TextBox2->text(), "Bitte fair");

    dialogs.answerYes();
    click(tab->CDelLangRule);

    EXPECT_EQ(dialogs.messages().back(),
              ScriptedDialogs::message(
                  "Dou you want to delete the German translation of your rule:\r\nBitte fair ?",
                  "Delete translation?", MsgButtons::YesNo));
    EXPECT_EQ(translations(), QStringList({"Nicht campen"}));
    EXPECT_EQ(speakList(), QStringList({"Nicht campen"}));
    EXPECT_EQ(tab->TextBox2->text(), "");
    EXPECT_EQ(tab->SelTrans->text(), rid);
}

TEST_F(TranslationsTest, ATranslationGoneMeanwhileIsReportedAndNothingElseChanges) {
    const auto rid = store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    store.addTranslation(langKeys[0], ruleKeys[1], u"Nicht campen");
    pickLanguage("German");
    clickSpeakRowNamed("Bitte fair");
    // Renaming empties the box; the speak list still belongs to the language.
    dialogs.typeIntoInput("Deutsch");
    click(tab->CChLang);
    store.deleteTranslation(rid);

    applyInDialog("Fair spielen");
    dialogs.answerOk();
    click(tab->CEditLangRule);

    EXPECT_EQ(dialogs.last().title, "Error");
    EXPECT_EQ(translations(), QStringList({"Nicht campen"}));
    EXPECT_EQ(speakList(), QStringList({"Nicht campen"}));
}

TEST_F(TranslationsTest, SendingSpeaksTheTextOfTheMoment) {
    store.addTranslation(langKeys[0], ruleKeys[0], u"Bitte fair");
    click(tab->CSpeakRule);
    EXPECT_TRUE(executedLines().empty());

    pickLanguage("German");
    clickSpeakRowNamed("Bitte fair");
    click(tab->CSpeakRule);

    tab->useBasicLanguage();
    clickSpeakRowNamed("No camping");
    click(tab->CSpeakRule);

    tab->TextBox2->selectAll();
    QTest::keyClicks(tab->TextBox2, "Camping is fine today");
    click(tab->CSpeakRule);

    clickRuleNamed("Be fair");
    click(tab->CSpeakRule);

    EXPECT_EQ(executedLines(), (std::vector<std::string>{"say Bitte fair", "say No camping",
                                                         "say Camping is fine today", "say Be fair"}));
}

} // namespace
} // namespace brassbell::testing
