#include "RulesTabFixture.h"

#include "uikit/Twips.h"

namespace brassbell::testing {
namespace {

TEST_F(RulesTabTest, StartUpShowsRulesInRuleModeWithNoLanguageChosen) {
    stock({u"No spawn killing", u"Be fair"}, {u"German", u"French"});
    startUp();

    EXPECT_EQ(headers(tab->ListView2), QStringList({"RuleID", "RuleBasicLang"}));
    EXPECT_EQ(basicList(), QStringList({"No spawn killing", "Be fair"}));
    EXPECT_EQ(widths(tab->ListView2), (std::vector<int>{0, px(18535)}));
    // Rule mode: the key three times, the text fourth.
    EXPECT_EQ(headers(tab->ListView3), QStringList({"RuleID", "RuleID", "RuleID", "RuleBasicLang"}));
    EXPECT_EQ(speakList(), QStringList({"No spawn killing", "Be fair"}));
    EXPECT_EQ(widths(tab->ListView3), (std::vector<int>{0, 0, 0, px(18535)}));
    expectRuleMode();
    // Entries in stored order, nothing chosen.
    EXPECT_EQ(comboEntries(), QStringList({"German", "French"}));
    EXPECT_TRUE(tab->Combo1->isEditable());
    for (QLineEdit* hidden : {tab->BasicRuleKey, tab->LangKey, tab->SelTrans})
        EXPECT_TRUE(hidden->text().isEmpty() && !hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(tab->TextBox2->text(), "");

    // Without a selected rule, edit and delete do nothing.
    click(tab->CChBasRule);
    click(tab->CDelBasRule);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(rules(), QStringList({"No spawn killing", "Be fair"}));
}

TEST_F(RulesTabTest, AddingARuleThatIsCancelledClosedOrEmptyStoresAndRefreshesNothing) {
    stock({u"Be fair"}, {u"German"});
    startUp();
    pickLanguage("German");
    clickRuleNamed("Be fair");

    cancelDialog();
    click(tab->CAddBasicRule);
    closeDialogBox();
    click(tab->CAddBasicRule);
    applyInDialog("");
    click(tab->CAddBasicRule);

    EXPECT_EQ(dialogCaptions, QStringList({"Add a rule", "Add a rule", "Add a rule"}));
    EXPECT_EQ(rules(), QStringList({"Be fair"}));
    expectTranslationMode("German"); // nothing was refreshed
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RulesTabTest, AddedRuleWithLineBreaksIsStoredShownAndSpokenLineByLine) {
    stock({}, {u"German"});
    startUp();
    pickLanguage("German");
    applyInDialog("Be fair\nNo camping");
    click(tab->CAddBasicRule);

    EXPECT_EQ(rules(), QStringList({"Be fair\nNo camping"}));
    EXPECT_EQ(basicList(), rules());
    // Back in rule mode with the language choice cleared; the dialog has its own caption again.
    expectRuleMode();
    EXPECT_EQ(speakList(), rules());
    EXPECT_EQ(dialogsSeen.front()->windowTitle(), "Rule work");

    clickRuleNamed("Be fair\nNo camping");
    EXPECT_EQ(tab->TextBox1->toPlainText(), "Be fair\nNo camping");
    EXPECT_EQ(tab->TextBox2->text(), "Be fair\nNo camping");
    click(tab->CSpeakRule);
    EXPECT_EQ(executedLines(), (std::vector<std::string>{"say Be fair", "say No camping"}));
}

TEST_F(RulesTabTest, EditingARuleStartsFromTextBox1AndRefreshesOnlyOnANewText) {
    stock({u"Be fiar"}, {u"German"});
    startUp();
    clickRuleNamed("Be fiar");
    pickLanguage("German");

    applyInDialog("Be fiar");
    click(tab->CChBasRule);
    cancelDialog();
    click(tab->CChBasRule);
    EXPECT_EQ(rules(), QStringList({"Be fiar"}));
    expectTranslationMode("German");

    // Edits in TextBox1 are not stored, but the dialog starts from them.
    tab->TextBox1->setPlainText("Be fa");
    applyInDialog("Be fair");
    click(tab->CChBasRule);

    EXPECT_EQ(dialogCaptions, QStringList({"Edit rule", "Edit rule", "Edit rule"}));
    EXPECT_EQ(dialogInitialTexts, QStringList({"Be fiar", "Be fiar", "Be fa"}));
    EXPECT_EQ(rules(), QStringList({"Be fair"}));
    EXPECT_EQ(basicList(), rules());
    expectRuleMode();
    EXPECT_EQ(comboEntries(), QStringList({"German"}));
    EXPECT_EQ(tab->TextBox1->toPlainText(), "Be fa");
}

TEST_F(RulesTabTest, DeletingARuleTakesItsTranslationsAlongAndKeepsItsSelection) {
    stock({u"No camping", u"Be fair"}, {u"German", u"French"});
    store.addTranslation(langKeys[0], ruleKeys[0], u"Nicht campen");
    store.addTranslation(langKeys[1], ruleKeys[0], u"Pas de camping");
    store.addTranslation(langKeys[0], ruleKeys[0], u"Kein Campen");
    store.addTranslation(langKeys[0], ruleKeys[1], u"Fair spielen");
    startUp();
    clickRuleNamed("No camping");
    const QString key = tab->BasicRuleKey->text();

    dialogs.answerNo();
    click(tab->CDelBasRule);
    EXPECT_EQ(translations().size(), 4);

    dialogs.answerYes();
    click(tab->CDelBasRule);

    EXPECT_EQ(dialogs.messages().back(),
              ScriptedDialogs::message(
                  "Do you want to delete this rule: No camping?\r\nThis will also delete all present "
                  "rules which have a relation to this rule!!!",
                  "Delete this rule?", MsgButtons::YesNo));
    EXPECT_EQ(rules(), QStringList({"Be fair"}));
    EXPECT_EQ(translations(), QStringList({"Fair spielen"}));
    EXPECT_EQ(basicList(), rules());
    EXPECT_EQ(tab->TextBox1->toPlainText(), "No camping");
    EXPECT_EQ(tab->BasicRuleKey->text(), key);
}

TEST_F(RulesTabTest, AStaleRuleKeyIsReportedAndChangesNothing) {
    stock({u"No camping", u"Be fair"}, {u"German"});
    startUp();
    clickRuleNamed("No camping");
    dialogs.answerYes();
    click(tab->CDelBasRule);
    pickLanguage("German");
    dialogs.clearShown();

    for (QPushButton* button : {tab->CChBasRule, tab->CDelBasRule}) {
        dialogs.answerOk();
        click(button);
        EXPECT_EQ(dialogs.last().title, "Basic rule not found") << button->objectName().toStdString();
        EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    }
    // TextBox1 still shows the deleted rule, but no translation is stored for it.
    dialogs.answerOk();
    click(tab->CAddLangRule);
    EXPECT_EQ(dialogs.last().title, "No basic rule selected");

    EXPECT_TRUE(dialogCaptions.isEmpty());
    EXPECT_EQ(dialogs.shown().size(), 3);
    EXPECT_EQ(rules(), QStringList({"Be fair"}));
    EXPECT_TRUE(translations().isEmpty());
    EXPECT_EQ(store.fGetTranslation(ruleKeys[0], langKeys[0]), u"");
}

TEST_F(RulesTabTest, RowsOfBothListsCannotBeRenamedInPlace) {
    stock({u"Be fair"});
    startUp();
    for (QTreeWidget* list : {tab->ListView2, tab->ListView3}) {
        QTreeWidgetItem* item = list->topLevelItem(0);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        const int column = list->columnCount() - 1;
        list->editItem(item, column);
        auto* editor = list->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << list->objectName().toStdString();
        editor->selectAll();
        QTest::keyClicks(editor, "renamed");
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits what was typed only once the event loop runs.
        QCoreApplication::processEvents();
        EXPECT_EQ(item->text(column), "Be fair") << list->objectName().toStdString();
    }
}

TEST_F(RulesTabTest, OneRuleDialogOwnedByTheWindowServesEveryOperationButNeverTwoAtOnce) {
    stock({u"Be fair"}, {u"German"});
    startUp();
    answerDialog([this](QWidget* dialog, QPlainTextEdit* text1) {
        // A second operation started while the dialog waits gets no dialog of its own.
        QTest::mouseClick(tab->CChBasRule, Qt::LeftButton);
        text1->setPlainText("No camping");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
    clickRuleNamed("Be fair");
    click(tab->CAddBasicRule);
    clickRuleNamed("Be fair");
    pickLanguage("German");
    cancelDialog();
    click(tab->CAddLangRule);

    EXPECT_EQ(dialogCaptions, QStringList({"Add a rule", "AddGerman translation"}));
    EXPECT_EQ(rules(), QStringList({"Be fair", "No camping"}));
    ASSERT_EQ(dialogsSeen.size(), 2u);
    EXPECT_EQ(dialogsSeen[0], dialogsSeen[1]);
    EXPECT_EQ(dialogsSeen[0]->parentWidget(), tab->window());
    EXPECT_TRUE(dialogsSeen[0]->isWindow());
    EXPECT_EQ(dialogsSeen[0]->objectName(), "FrmRule");
}

TEST_F(RulesTabTest, AFailingStoreIsReportedAndTheListsShowWhatTheDatabaseHolds) {
    stock({u"Be fair"});
    startUp();
    store.fDBConnect(false);

    applyInDialog("No camping");
    dialogs.answerOk();
    click(tab->CAddBasicRule);

    EXPECT_EQ(dialogs.last().title, "Error");
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_FALSE(dialogs.last().text.isEmpty());
    EXPECT_EQ(basicList(), QStringList({"Be fair"}));
    store.fDBConnect(true);
    EXPECT_EQ(rules(), QStringList({"Be fair"}));
}

} // namespace
} // namespace brassbell::testing
