#include "RulesTabFixture.h"

#include "uikit/Twips.h"

namespace brassbell::testing {
namespace {

using Shown = ScriptedDialogs::Shown;
enum class Reply { None, Yes, No, Type, CancelInput, Save, Cancel, Close };

const QStringList kRules = {"Be fair", "No camping"};
const QStringList kLanguages = {"German", "Fran'ais"};
const QStringList kTranslations = {"Nicht campen", "Bitte fair", "Jouez fair"};

Shown critical(const QString& text, const QString& title) {
    return ScriptedDialogs::message(text, title, MsgButtons::Ok, MsgIcon::Critical);
}
Shown question(const QString& text, const QString& title) {
    return ScriptedDialogs::message(text, title, MsgButtons::YesNo);
}
const Shown kRuleGone =
    critical("The selected basic rule does not exist anymore. Please select a basic rule first",
             "Basic rule not found");
const Shown kLanguageGone = critical(
    "The selected language does not exist anymore. Please select a language first", "Language not found");
const Shown kNoLanguage =
    critical("No language selected...please select a language first", "No language selected");
const Shown kNoRule =
    critical("No basic language rule selected. To add a translation you have to select a basic rule first",
             "No basic rule selected");
const Shown kDeleteRule = question("Do you want to delete this rule: Be fair?\r\nThis will also delete all "
                                   "present rules which have a relation to this rule!!!",
                                   "Delete this rule?");
const Shown kDeleteGerman = question("Do you want to delete the language: German?\r\nThis will also delete "
                                     "all present rules for this language!!!",
                                     "Delete this language?");
const Shown kDeleteTranslation = question(
    "Dou you want to delete the German translation of your rule:\r\nBitte fair ?", "Delete translation?");
const Shown kNewLanguage = ScriptedDialogs::input("Please enter you language", "New Language");
const Shown kRenameGerman = ScriptedDialogs::input("Please change the language description like you want",
                                                   "Change language description", "German");

void ruleGone(RulesTabTest& t) {
    t.store.deleteRule(t.rule[0]);
}
void languageGone(RulesTabTest& t) {
    t.store.deleteLanguage(t.lang[0]);
}

// The tab is brought to a state (a language picked, then a rule clicked in the basic list, a
// row in the speak list, a text typed into the language box, and whatever `before` does), one
// button is pressed and every box and dialog answered with `reply` and `text`.
struct Row {
    const char* name = "";
    const char* language = nullptr;
    const char* rule = nullptr;
    const char* speakRow = nullptr;
    const char* typedLanguage = nullptr;
    void (*before)(RulesTabTest&) = nullptr;
    QPushButton* RulesTab::*button = nullptr;
    Reply reply = Reply::None;
    QString text{};
    // Afterwards: the rule text dialog's caption and initial text, the boxes shown, what is
    // stored, and the speak list's mode ("" as before; "emptied": no columns at all).
    QStringList dialog{};
    std::vector<Shown> boxes{};
    QStringList rules = kRules;
    QStringList languages = kLanguages;
    QStringList translations = kTranslations;
    QString mode{};
    // The record was deleted behind the tab's back, and nothing refilled the lists.
    bool stale = false;
    std::vector<std::string> executed{};
};

// clang-format off
const Row kRows[] = {
    {.name = "AddRule", .language = "German", .button = &RulesTab::CAddBasicRule, .reply = Reply::Save,
     .text = "Be fair\nNo spawn killing", .dialog = {"Add a rule", ""},
     .rules = {"Be fair", "No camping", "Be fair\nNo spawn killing"}, .mode = "Rule"},
    {.name = "AddRuleCancelled", .language = "German", .button = &RulesTab::CAddBasicRule, .reply = Reply::Cancel,
     .text = "typed", .dialog = {"Add a rule", ""}},
    {.name = "AddRuleClosed", .button = &RulesTab::CAddBasicRule, .reply = Reply::Close, .text = "typed",
     .dialog = {"Add a rule", ""}},
    {.name = "AddRuleEmpty", .button = &RulesTab::CAddBasicRule, .reply = Reply::Save, .dialog = {"Add a rule", ""}},
    {.name = "AddRuleToAClosedStore", .before = [](RulesTabTest& t) { t.store.fDBConnect(false); },
     .button = &RulesTab::CAddBasicRule, .reply = Reply::Save, .text = "x", .dialog = {"Add a rule", ""},
     .boxes = {critical("The database is not open.", "Error")}},
    {.name = "EditRule", .language = "German", .rule = "Be fair", .button = &RulesTab::CChBasRule,
     .reply = Reply::Save, .text = "Be fair, please", .dialog = {"Edit rule", "Be fair"},
     .rules = {"Be fair, please", "No camping"}, .mode = "Rule"},
    // Edits in TextBox1 are not stored, but the dialog starts from them.
    {.name = "EditRuleEditedByHand", .rule = "Be fair",
     .before = [](RulesTabTest& t) { t.tab->TextBox1->setPlainText("Be fa"); }, .button = &RulesTab::CChBasRule,
     .reply = Reply::Save, .text = "Be fai", .dialog = {"Edit rule", "Be fa"}, .rules = {"Be fai", "No camping"}},
    {.name = "EditRuleToTheSameText", .language = "German", .rule = "Be fair", .button = &RulesTab::CChBasRule,
     .reply = Reply::Save, .text = "Be fair", .dialog = {"Edit rule", "Be fair"}},
    {.name = "EditRuleCancelled", .rule = "Be fair", .button = &RulesTab::CChBasRule, .reply = Reply::Cancel,
     .text = "x", .dialog = {"Edit rule", "Be fair"}},
    {.name = "EditRuleWithoutSelection", .button = &RulesTab::CChBasRule},
    {.name = "EditRuleGone", .rule = "Be fair", .before = ruleGone, .button = &RulesTab::CChBasRule,
     .boxes = {kRuleGone}, .rules = {"No camping"}, .translations = {"Nicht campen"}, .stale = true},
    {.name = "DeleteRuleAnsweredNo", .rule = "Be fair", .button = &RulesTab::CDelBasRule, .reply = Reply::No,
     .boxes = {kDeleteRule}},
    {.name = "DeleteRule", .language = "German", .rule = "Be fair", .button = &RulesTab::CDelBasRule,
     .reply = Reply::Yes, .boxes = {kDeleteRule}, .rules = {"No camping"}, .translations = {"Nicht campen"},
     .mode = "Rule"},
    {.name = "DeleteRuleWithoutSelection", .button = &RulesTab::CDelBasRule},
    {.name = "DeleteRuleGone", .rule = "Be fair", .before = ruleGone, .button = &RulesTab::CDelBasRule,
     .boxes = {kRuleGone}, .rules = {"No camping"}, .translations = {"Nicht campen"}, .stale = true},
    {.name = "AddLanguage", .language = "German", .button = &RulesTab::CAddLang, .reply = Reply::Type,
     .text = "Klingon", .boxes = {kNewLanguage}, .languages = {"German", "Fran'ais", "Klingon"}, .mode = "emptied"},
    {.name = "AddLanguageCancelled", .button = &RulesTab::CAddLang, .reply = Reply::CancelInput,
     .boxes = {kNewLanguage}, .mode = "emptied"},
    // The language renamed is the one keyed, whatever the box shows.
    {.name = "RenameLanguage", .language = "German", .typedLanguage = "Fran'ais", .button = &RulesTab::CChLang,
     .reply = Reply::Type, .text = "Deutsch", .boxes = {kRenameGerman}, .languages = {"Deutsch", "Fran'ais"}},
    {.name = "RenameLanguageCancelled", .language = "German", .button = &RulesTab::CChLang,
     .reply = Reply::CancelInput, .boxes = {kRenameGerman}},
    {.name = "RenameLanguageWithAnEmptyBox", .language = "German", .typedLanguage = "", .button = &RulesTab::CChLang},
    {.name = "RenameLanguageGone", .language = "German", .before = languageGone, .button = &RulesTab::CChLang,
     .boxes = {kLanguageGone}, .languages = {"Fran'ais"}, .translations = {"Jouez fair"}, .stale = true},
    {.name = "DeleteLanguageAnsweredNo", .language = "German", .typedLanguage = "Fran'ais",
     .button = &RulesTab::CDelLang, .reply = Reply::No, .boxes = {kDeleteGerman}},
    {.name = "DeleteLanguage", .language = "German", .typedLanguage = "Fran'ais", .button = &RulesTab::CDelLang,
     .reply = Reply::Yes, .boxes = {kDeleteGerman}, .languages = {"Fran'ais"}, .translations = {"Jouez fair"},
     .mode = "Rule"},
    {.name = "DeleteLanguageNotPicked", .typedLanguage = "German", .button = &RulesTab::CDelLang},
    {.name = "DeleteLanguageGone", .language = "German", .before = languageGone, .button = &RulesTab::CDelLang,
     .boxes = {kLanguageGone}, .languages = {"Fran'ais"}, .translations = {"Jouez fair"}, .stale = true},
    {.name = "AddTranslation", .language = "Fran'ais", .rule = "No camping", .button = &RulesTab::CAddLangRule,
     .reply = Reply::Save, .text = "Pas de camping", .dialog = {"AddFran'ais translation", ""},
     .translations = {"Nicht campen", "Bitte fair", "Jouez fair", "Pas de camping"}},
    {.name = "AddTranslationCancelled", .language = "German", .rule = "Be fair", .button = &RulesTab::CAddLangRule,
     .reply = Reply::Cancel, .text = "x", .dialog = {"AddGerman translation", ""}},
    {.name = "AddTranslationEmpty", .language = "German", .rule = "Be fair", .button = &RulesTab::CAddLangRule,
     .reply = Reply::Save, .dialog = {"AddGerman translation", ""}},
    {.name = "AddTranslationWithAnEmptyBox", .language = "German", .rule = "Be fair", .typedLanguage = "",
     .button = &RulesTab::CAddLangRule, .boxes = {kNoLanguage}},
    {.name = "AddTranslationWithoutRule", .language = "German", .button = &RulesTab::CAddLangRule,
     .boxes = {kNoRule}},
    // A text typed into TextBox1 names no rule.
    {.name = "AddTranslationOfATypedRule", .language = "German",
     .before = [](RulesTabTest& t) { t.tab->TextBox1->setPlainText("Be fair"); },
     .button = &RulesTab::CAddLangRule, .boxes = {kNoRule}},
    {.name = "AddTranslationRuleGone", .language = "German", .rule = "Be fair", .before = ruleGone,
     .button = &RulesTab::CAddLangRule, .boxes = {kNoRule}, .rules = {"No camping"},
     .translations = {"Nicht campen"}, .stale = true},
    {.name = "AddTranslationLanguageGone", .language = "German", .rule = "Be fair", .before = languageGone,
     .button = &RulesTab::CAddLangRule, .boxes = {kNoLanguage}, .languages = {"Fran'ais"},
     .translations = {"Jouez fair"}, .stale = true},
    {.name = "EditTranslation", .language = "German", .speakRow = "Nicht campen", .button = &RulesTab::CEditLangRule,
     .reply = Reply::Save, .text = "Kein Campen", .dialog = {"Edit your rule", "Nicht campen"},
     .translations = {"Kein Campen", "Bitte fair", "Jouez fair"}},
    {.name = "EditTranslationShownByTheBasicList", .language = "German", .rule = "Be fair",
     .button = &RulesTab::CEditLangRule, .reply = Reply::Save, .text = "Fair spielen",
     .dialog = {"Edit your rule", "Bitte fair"}, .translations = {"Nicht campen", "Fair spielen", "Jouez fair"}},
    {.name = "EditTranslationEditedByHand", .language = "German", .speakRow = "Nicht campen",
     .before = [](RulesTabTest& t) { t.tab->TextBox2->setText("Nicht campe"); },
     .button = &RulesTab::CEditLangRule, .reply = Reply::Save, .text = "Kein Campen",
     .dialog = {"Edit your rule", "Nicht campe"}, .translations = {"Kein Campen", "Bitte fair", "Jouez fair"}},
    {.name = "EditTranslationToTheSameText", .language = "German", .speakRow = "Nicht campen",
     .button = &RulesTab::CEditLangRule, .reply = Reply::Save, .text = "Nicht campen",
     .dialog = {"Edit your rule", "Nicht campen"}},
    {.name = "EditTranslationClosed", .language = "German", .speakRow = "Nicht campen",
     .button = &RulesTab::CEditLangRule, .reply = Reply::Close, .text = "x",
     .dialog = {"Edit your rule", "Nicht campen"}},
    {.name = "EditTranslationWithoutText", .language = "German", .button = &RulesTab::CEditLangRule},
    // In rule mode the speak list's first column is a rule's key: never the key of a translation.
    {.name = "EditTranslationOfARuleModeRow", .before = [](RulesTabTest& t) {
         t.clickSpeakRowNamed("Be fair");
         t.pickLanguage("German");
         t.tab->TextBox2->setText("Be fair");
     }, .button = &RulesTab::CEditLangRule, .mode = "Translation usable"},
    {.name = "DeleteTranslationOfARuleModeRow", .before = [](RulesTabTest& t) {
         t.clickSpeakRowNamed("Be fair");
         t.pickLanguage("German");
         t.tab->TextBox2->setText("Be fair");
     }, .button = &RulesTab::CDelLangRule, .mode = "Translation usable"},
    // Renaming empties the box; the speak list still belongs to the language.
    {.name = "EditTranslationGone", .language = "German", .speakRow = "Nicht campen",
     .before = [](RulesTabTest& t) {
         t.dialogs.typeIntoInput("Deutsch");
         t.press(t.tab->CChLang);
         t.dialogs.clearShown();
         t.store.deleteTranslation(1);
     }, .button = &RulesTab::CEditLangRule, .reply = Reply::Save, .text = "Kein Campen",
     .dialog = {"Edit your rule", "Nicht campen"},
     .boxes = {critical("The translation is no longer stored; nothing was changed.", "Error")},
     .languages = {"Deutsch", "Fran'ais"}, .translations = {"Bitte fair", "Jouez fair"}},
    {.name = "DeleteTranslationAnsweredNo", .language = "German", .speakRow = "Bitte fair",
     .button = &RulesTab::CDelLangRule, .reply = Reply::No, .boxes = {kDeleteTranslation}},
    {.name = "DeleteTranslation", .language = "German", .speakRow = "Bitte fair", .button = &RulesTab::CDelLangRule,
     .reply = Reply::Yes, .boxes = {kDeleteTranslation}, .translations = {"Nicht campen", "Jouez fair"}},
    {.name = "DeleteTranslationWithoutText", .language = "German", .button = &RulesTab::CDelLangRule},
    // What is sent is the text of the moment, whatever showed it.
    {.name = "SpeakNothingShown", .button = &RulesTab::CSpeakRule},
    {.name = "SpeakTranslation", .language = "German", .speakRow = "Bitte fair", .button = &RulesTab::CSpeakRule,
     .executed = {"say Bitte fair"}},
    {.name = "SpeakRule", .speakRow = "No camping", .button = &RulesTab::CSpeakRule, .executed = {"say No camping"}},
    {.name = "SpeakTypedText", .speakRow = "No camping", .before = [](RulesTabTest& t) {
         t.tab->TextBox2->selectAll();
         QTest::keyClicks(t.tab->TextBox2, "Camping is fine today");
     }, .button = &RulesTab::CSpeakRule, .executed = {"say Camping is fine today"}},
    {.name = "SpeakRuleOfTwoLines", .before = [](RulesTabTest& t) {
         t.store.changeRule(t.rule[0], u"Be fair\nNo spawn killing");
         t.startUp();
         t.clickRuleNamed("Be fair\nNo spawn killing");
     }, .button = &RulesTab::CSpeakRule, .rules = {"Be fair\nNo spawn killing", "No camping"},
     .executed = {"say Be fair", "say No spawn killing"}},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class RulesTabButtonTest : public RulesTabTest, public ::testing::WithParamInterface<Row> {};

TEST_P(RulesTabButtonTest, StoresAsAnsweredAndShowsWhatIsStored) {
    const Row& row = GetParam();
    if (row.language)
        pickLanguage(row.language);
    if (row.rule)
        clickRuleNamed(row.rule);
    if (row.speakRow)
        clickSpeakRowNamed(row.speakRow);
    if (row.typedLanguage)
        typeIntoLanguageBox(row.typedLanguage);
    if (row.before)
        row.before(*this);
    const QString modeBefore = mode();
    const QString keyBefore = tab->LangKey->text();
    for (const Shown& box : row.boxes) {
        if (box.kind == ScriptedDialogs::Kind::Input)
            row.reply == Reply::Type ? dialogs.typeIntoInput(row.text) : dialogs.cancelInput();
        else if (box.buttons == MsgButtons::YesNo)
            row.reply == Reply::Yes ? dialogs.answerYes() : dialogs.answerNo();
        else
            dialogs.answerOk();
    }
    if (row.reply == Reply::Save || row.reply == Reply::Cancel || row.reply == Reply::Close)
        answerDialog(row.text, row.reply == Reply::Save     ? "Command2"
                               : row.reply == Reply::Cancel ? "Command1"
                                                            : nullptr);

    press(tab.get()->*row.button);

    EXPECT_EQ(dialogSeen, row.dialog);
    EXPECT_EQ(dialogs.shown(), row.boxes);
    EXPECT_EQ(rules(), row.rules);
    EXPECT_EQ(languages(), row.languages);
    EXPECT_EQ(translations(), row.translations);
    EXPECT_EQ(executedLines(), row.executed);
    EXPECT_EQ(mode(), row.mode.isEmpty() || row.mode == "emptied" ? modeBefore : row.mode);
    if (row.mode == "Rule") {
        EXPECT_EQ(tab->Combo1->currentText() + tab->LangKey->text(), "");
    }
    if (row.stale)
        return;
    EXPECT_EQ(basicList(), rules());
    EXPECT_EQ(comboEntries(), languages());
    if (row.mode == "emptied")
        EXPECT_EQ(tab->ListView3->columnCount(), 0);
    else if (mode() == "Rule")
        EXPECT_EQ(speakList(), rules());
    else
        EXPECT_EQ(speakList(), stored("tbl_Text WHERE LangID = " + keyBefore.toStdString(), "Translation"));
}

INSTANTIATE_TEST_SUITE_P(EveryButton, RulesTabButtonTest, ::testing::ValuesIn(kRows),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(RulesTabTest, StartsInRuleModeAndAClickInTheBasicListShowsTheRuleOrItsTranslation) {
    EXPECT_EQ(tab->ListView2->headerItem()->text(1), "RuleBasicLang");
    EXPECT_EQ(basicList(), kRules);
    EXPECT_EQ(tab->ListView2->columnWidth(0), 0);
    EXPECT_EQ(tab->ListView2->columnWidth(1), px(18535));
    // Rule mode: the key three times, the text fourth; nothing chosen in the box.
    EXPECT_EQ(rowTexts(tab->ListView3, 0) + rowTexts(tab->ListView3, 2), QStringList({"1", "2", "1", "2"}));
    EXPECT_EQ(speakList(), kRules);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(tab->ListView3->columnWidth(column), 0);
    EXPECT_EQ(mode(), "Rule");
    EXPECT_EQ(comboEntries(), kLanguages);
    EXPECT_EQ(tab->Combo1->currentText(), "");
    for (QLineEdit* hidden : {tab->BasicRuleKey, tab->LangKey, tab->SelTrans})
        EXPECT_TRUE(hidden->text().isEmpty() && !hidden->isVisible()) << hidden->objectName().toStdString();

    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox2->text(), "No camping");
    // Typing a language's name picks nothing.
    typeIntoLanguageBox("Fran'ais");
    EXPECT_EQ(mode() + tab->LangKey->text(), "Rule");
    pickLanguage("Fran'ais");
    EXPECT_EQ(tab->ListView3->headerItem()->text(0) + tab->ListView3->headerItem()->text(3),
              "RIDTranslation");
    EXPECT_EQ(tab->LangKey->text(), QString::number(lang[1]));
    EXPECT_EQ(tab->TextBox2->text(), "");
    clickRuleNamed("Be fair");
    EXPECT_EQ(tab->BasicRuleKey->text(), QString::number(rule[0]));
    EXPECT_EQ(tab->TextBox1->toPlainText() + "|" + tab->TextBox2->text(), "Be fair|Jouez fair");
    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox2->text(), "");
    // The clicks in the basic list leave the speak list's memory alone.
    EXPECT_EQ(tab->SelTrans->text(), "");
}

TEST_F(RulesTabTest, TwoLanguagesOfOneNameListBothAndTakeTheFirstKey) {
    store.addTranslation(store.addLanguage(u"German"), rule[1], u"Kein Campen");
    startUp();
    pickLanguage("German");
    EXPECT_EQ(speakList(), QStringList({"Nicht campen", "Bitte fair", "Kein Campen"}));
    EXPECT_EQ(tab->LangKey->text(), QString::number(lang[0]));
}

TEST_F(RulesTabTest, RowsOfBothListsCannotBeRenamedInPlace) {
    for (QTreeWidget* list : {tab->ListView2, tab->ListView3}) {
        QTreeWidgetItem* item = list->topLevelItem(0);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        list->editItem(item, list->columnCount() - 1);
        auto* editor = list->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << list->objectName().toStdString();
        editor->selectAll();
        QTest::keyClicks(editor, "renamed");
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits what was typed only once the event loop runs.
        QCoreApplication::processEvents();
        EXPECT_EQ(item->text(list->columnCount() - 1), "Be fair") << list->objectName().toStdString();
    }
}

TEST_F(RulesTabTest, OneRuleDialogOwnedByTheWindowServesEveryOperationButNeverTwoAtOnce) {
    answerDialog([this](QWidget* dialog, QPlainTextEdit* text1) {
        // A second operation started while the dialog waits gets no dialog of its own.
        QTest::mouseClick(tab->CChBasRule, Qt::LeftButton);
        text1->setPlainText("Be nice");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
    clickRuleNamed("Be fair");
    press(tab->CAddBasicRule);
    clickRuleNamed("Be fair");
    pickLanguage("German");
    answerDialog("", "Command1");
    press(tab->CAddLangRule);

    EXPECT_EQ(dialogSeen, QStringList({"Add a rule", "", "AddGerman translation", ""}));
    EXPECT_EQ(rules(), QStringList({"Be fair", "No camping", "Be nice"}));
    ASSERT_EQ(dialogsSeen.size(), 2u);
    EXPECT_EQ(dialogsSeen[0], dialogsSeen[1]);
    EXPECT_EQ(dialogsSeen[0]->parentWidget(), tab->window());
    EXPECT_TRUE(dialogsSeen[0]->isWindow());
    EXPECT_EQ(dialogsSeen[0]->objectName(), "FrmRule");
    // The dialog has its own caption again.
    EXPECT_EQ(dialogsSeen[0]->windowTitle(), "Rule work");
}

} // namespace
} // namespace brassbell::testing
