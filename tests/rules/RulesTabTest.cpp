#include "rules/RulesTab.h"

#include "GuiWorld.h"
#include "uikit/Twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <array>
#include <functional>
#include <memory>

namespace brassbell::testing {
namespace {

// The rules tab as started beside an ET console, on two rules, two languages and three
// translations; the first translation's key equals the key of "Be fair", so keys are told apart.
class RulesTabTest : public GuiWorld {
public:
    RulesTabTest() {
        store.fDBConnect(true);
        desktop.createEtConsole();
        rule = {store.addRule(u"Be fair"), store.addRule(u"No camping")};
        lang = {store.addLanguage(u"German"), store.addLanguage(u"Fran'ais")};
        store.addTranslation(lang[0], rule[1], u"Nicht campen");
        store.addTranslation(lang[0], rule[0], u"Bitte fair");
        store.addTranslation(lang[1], rule[0], u"Jouez fair");
        tab = std::make_unique<RulesTab>(app);
        tab->resize(753, 520);
        tab->show();
        tab->fFilleBasicRule();
        tab->useBasicLanguage();
        tab->fFillLangs();
    }

    void clickRowNamed(QTreeWidget* list, int column, const QString& text) {
        const int row = static_cast<int>(texts(list->model(), column).indexOf(text));
        ASSERT_GE(row, 0) << "no row " << text.toStdString() << " in " << list->objectName().toStdString();
        QTreeWidgetItem* item = list->topLevelItem(row);
        list->scrollToItem(item);
        // The key columns have no width, so the text sits near the list's left edge.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(10, list->visualItemRect(item).center().y()));
    }
    void clickRuleNamed(const QString& text) { clickRowNamed(tab->ListView2, 1, text); }

    void pickLanguage(const QString& name) {
        const int index = tab->Combo1->findText(name);
        ASSERT_GE(index, 0) << "no language " << name.toStdString();
        tab->Combo1->showPopup();
        QAbstractItemView* view = tab->Combo1->view();
        const QRect place = view->visualRect(tab->Combo1->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
        ASSERT_FALSE(view->isVisible());
    }
    void press(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
        click(button);
    }

    // Notes caption and text, runs `meanwhile`, types `text`, presses `button` (none: the close box).
    void answerDialog(const QString& text, const char* button, const std::function<void()>& meanwhile = {}) {
        dialogs.actOnDialog([=, this](QWidget* dialog) {
            auto* text1 = dialog->findChild<QPlainTextEdit*>("Text1");
            dialogSeen << dialog->windowTitle() << text1->toPlainText();
            if (meanwhile)
                meanwhile();
            text1->selectAll();
            QTest::keyClick(text1, Qt::Key_Delete);
            text1->insertPlainText(text);
            if (button == nullptr)
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    QStringList speakList() const { return texts(tab->ListView3->model(), 3); }
    QStringList rules() { return stored("tbl_Rules", "RuleBasicLang"); }
    // "Rule", or "Translation" with the add, delete and change translation buttons usable.
    QString mode() const {
        const int usable =
            tab->CAddLangRule->isEnabled() + tab->CDelLangRule->isEnabled() + tab->CEditLangRule->isEnabled();
        return tab->Label7->text() + (usable == 0 ? "" : usable == 3 ? " usable" : " half usable");
    }

    std::unique_ptr<RulesTab> tab;
    std::array<std::int32_t, 2> rule{};
    std::array<std::int32_t, 2> lang{};
    QStringList dialogSeen;
};

using Shown = ScriptedDialogs::Shown;
using T = RulesTab;
enum Reply { kNone, kYes, kNo, kType, kCancelInput, kSave, kCancel, kClose };

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

const auto ruleGone = [](RulesTabTest& t) { t.store.deleteRule(t.rule[0]); };
const auto languageGone = [](RulesTabTest& t) { t.store.deleteLanguage(t.lang[0]); };
const auto pickGermanAndTypeBeFair = [](RulesTabTest& t) {
    t.pickLanguage("German");
    t.tab->TextBox2->setText("Be fair");
};

// Every box and dialog the button brings up is answered with `reply` and `text`.
struct Row {
    const char* name = "";
    const char* lang = nullptr;
    const char* rule = nullptr;
    const char* speak = nullptr;
    const char* typed = nullptr;
    void (*before)(RulesTabTest&) = nullptr;
    QPushButton* RulesTab::*button = nullptr;
    Reply reply = kNone;
    QString text{};
    QStringList dialog{};
    std::vector<Shown> boxes{};
    QStringList rules = {"Be fair", "No camping"};
    QStringList languages = {"German", "Fran'ais"};
    QStringList texts = {"Nicht campen", "Bitte fair", "Jouez fair"};
    QString mode{};
    // Deleted behind the tab's back; nothing refilled the lists.
    bool stale = false;
    std::vector<std::string> executed{};
};

// clang-format off
const Row kRows[] = {
    {.name = "AddRule", .lang = "German", .button = &T::CAddBasicRule, .reply = kSave,
     .text = "Be fair\nNo spawn killing", .dialog = {"Add a rule", ""},
     .rules = {"Be fair", "No camping", "Be fair\nNo spawn killing"}, .mode = "Rule"},
    {.name = "AddRuleEmpty", .button = &T::CAddBasicRule, .reply = kSave, .dialog = {"Add a rule", ""}},
    {.name = "AddRuleToAClosedStore", .before = [](RulesTabTest& t) { t.store.fDBConnect(false); },
     .button = &T::CAddBasicRule, .reply = kSave, .text = "x", .dialog = {"Add a rule", ""},
     .boxes = {critical("The database is not open.", "Error")}},
    // Edits in TextBox1 are not stored, but the dialog starts from them.
    {.name = "EditRuleEditedByHand", .lang = "German", .rule = "Be fair",
     .before = [](RulesTabTest& t) { t.tab->TextBox1->setPlainText("Be fa"); }, .button = &T::CChBasRule,
     .reply = kSave, .text = "Be fai", .dialog = {"Edit rule", "Be fa"}, .rules = {"Be fai", "No camping"},
     .mode = "Rule"},
    {.name = "EditRuleToTheSameText", .lang = "German", .rule = "Be fair", .button = &T::CChBasRule,
     .reply = kSave, .text = "Be fair", .dialog = {"Edit rule", "Be fair"}},
    {.name = "EditRuleCancelled", .rule = "Be fair", .button = &T::CChBasRule, .reply = kCancel, .text = "x",
     .dialog = {"Edit rule", "Be fair"}},
    {.name = "DeleteRuleAnsweredNo", .rule = "Be fair", .button = &T::CDelBasRule, .reply = kNo,
     .boxes = {kDeleteRule}},
    {.name = "DeleteRule", .lang = "German", .rule = "Be fair", .button = &T::CDelBasRule, .reply = kYes,
     .boxes = {kDeleteRule}, .rules = {"No camping"}, .texts = {"Nicht campen"}, .mode = "Rule"},
    {.name = "DeleteRuleWithoutSelection", .button = &T::CDelBasRule},
    {.name = "DeleteRuleGone", .rule = "Be fair", .before = ruleGone, .button = &T::CDelBasRule,
     .boxes = {kRuleGone}, .rules = {"No camping"}, .texts = {"Nicht campen"}, .stale = true},
    {.name = "AddLanguage", .lang = "German", .button = &T::CAddLang, .reply = kType, .text = "Klingon",
     .boxes = {kNewLanguage}, .languages = {"German", "Fran'ais", "Klingon"}, .mode = "emptied"},
    {.name = "AddLanguageCancelled", .button = &T::CAddLang, .reply = kCancelInput, .boxes = {kNewLanguage},
     .mode = "emptied"},
    // The language renamed is the one keyed, whatever the box shows.
    {.name = "RenameLanguage", .lang = "German", .typed = "Fran'ais", .button = &T::CChLang,
     .reply = kType, .text = "Deutsch", .boxes = {kRenameGerman}, .languages = {"Deutsch", "Fran'ais"}},
    {.name = "RenameLanguageCancelled", .lang = "German", .button = &T::CChLang, .reply = kCancelInput,
     .boxes = {kRenameGerman}},
    {.name = "RenameLanguageWithAnEmptyBox", .lang = "German", .typed = "", .button = &T::CChLang},
    {.name = "DeleteLanguageAnsweredNo", .lang = "German", .typed = "Fran'ais", .button = &T::CDelLang,
     .reply = kNo, .boxes = {kDeleteGerman}},
    {.name = "DeleteLanguage", .lang = "German", .typed = "Fran'ais", .button = &T::CDelLang,
     .reply = kYes, .boxes = {kDeleteGerman}, .languages = {"Fran'ais"}, .texts = {"Jouez fair"}, .mode = "Rule"},
    {.name = "DeleteLanguageNotPicked", .typed = "German", .button = &T::CDelLang},
    {.name = "DeleteLanguageGone", .lang = "German", .before = languageGone, .button = &T::CDelLang,
     .boxes = {kLanguageGone}, .languages = {"Fran'ais"}, .texts = {"Jouez fair"}, .stale = true},
    {.name = "AddTranslation", .lang = "Fran'ais", .rule = "No camping", .button = &T::CAddLangRule,
     .reply = kSave, .text = "Pas de camping", .dialog = {"AddFran'ais translation", ""},
     .texts = {"Nicht campen", "Bitte fair", "Jouez fair", "Pas de camping"}},
    {.name = "AddTranslationWithAnEmptyBox", .lang = "German", .rule = "Be fair", .typed = "",
     .button = &T::CAddLangRule, .boxes = {kNoLanguage}},
    {.name = "AddTranslationWithoutRule", .lang = "German", .button = &T::CAddLangRule, .boxes = {kNoRule}},
    // A text typed into TextBox1 names no rule.
    {.name = "AddTranslationOfATypedRule", .lang = "German",
     .before = [](RulesTabTest& t) { t.tab->TextBox1->setPlainText("Be fair"); }, .button = &T::CAddLangRule,
     .boxes = {kNoRule}},
    {.name = "AddTranslationLanguageGone", .lang = "German", .rule = "Be fair", .before = languageGone,
     .button = &T::CAddLangRule, .boxes = {kNoLanguage}, .languages = {"Fran'ais"},
     .texts = {"Jouez fair"}, .stale = true},
    {.name = "EditTranslationShownByTheBasicList", .lang = "German", .rule = "Be fair",
     .button = &T::CEditLangRule, .reply = kSave, .text = "Fair spielen",
     .dialog = {"Edit your rule", "Bitte fair"}, .texts = {"Nicht campen", "Fair spielen", "Jouez fair"}},
    {.name = "EditTranslationEditedByHand", .lang = "German", .speak = "Nicht campen",
     .before = [](RulesTabTest& t) { t.tab->TextBox2->setText("Nicht campe"); }, .button = &T::CEditLangRule,
     .reply = kSave, .text = "Kein Campen", .dialog = {"Edit your rule", "Nicht campe"},
     .texts = {"Kein Campen", "Bitte fair", "Jouez fair"}},
    {.name = "EditTranslationClosed", .lang = "German", .speak = "Nicht campen", .button = &T::CEditLangRule,
     .reply = kClose, .text = "x", .dialog = {"Edit your rule", "Nicht campen"}},
    // In rule mode the speak list's first column is a rule's key: never the key of a translation.
    {.name = "EditTranslationOfARuleModeRow", .speak = "Be fair", .before = pickGermanAndTypeBeFair,
     .button = &T::CEditLangRule, .mode = "Translation usable"},
    {.name = "DeleteTranslationOfARuleModeRow", .speak = "Be fair", .before = pickGermanAndTypeBeFair,
     .button = &T::CDelLangRule, .mode = "Translation usable"},
    // Renaming empties the box; the speak list still belongs to the language.
    {.name = "EditTranslationGone", .lang = "German", .speak = "Nicht campen", .before = [](RulesTabTest& t) {
         t.dialogs.typeIntoInput("Deutsch");
         t.press(t.tab->CChLang);
         t.dialogs.clearShown();
         t.store.deleteTranslation(1);
     }, .button = &T::CEditLangRule, .reply = kSave, .text = "Kein Campen",
     .dialog = {"Edit your rule", "Nicht campen"},
     .boxes = {critical("The translation is no longer stored; nothing was changed.", "Error")},
     .languages = {"Deutsch", "Fran'ais"}, .texts = {"Bitte fair", "Jouez fair"}},
    {.name = "DeleteTranslationAnsweredNo", .lang = "German", .speak = "Bitte fair",
     .button = &T::CDelLangRule, .reply = kNo, .boxes = {kDeleteTranslation}},
    {.name = "DeleteTranslation", .lang = "German", .speak = "Bitte fair", .button = &T::CDelLangRule,
     .reply = kYes, .boxes = {kDeleteTranslation}, .texts = {"Nicht campen", "Jouez fair"}},
    // What is sent is the text of the moment, whatever showed it.
    {.name = "SpeakNothingShown", .button = &T::CSpeakRule},
    {.name = "SpeakTypedText", .speak = "No camping", .before = [](RulesTabTest& t) {
         t.tab->TextBox2->selectAll();
         QTest::keyClicks(t.tab->TextBox2, "Camping is fine today");
     }, .button = &T::CSpeakRule, .executed = {"say Camping is fine today"}},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class RulesTabButtonTest : public RulesTabTest, public ::testing::WithParamInterface<Row> {};

TEST_P(RulesTabButtonTest, StoresAsAnsweredAndShowsWhatIsStored) {
    const Row& row = GetParam();
    if (row.lang)
        pickLanguage(row.lang);
    if (row.rule)
        clickRuleNamed(row.rule);
    if (row.speak)
        clickRowNamed(tab->ListView3, 3, row.speak);
    if (row.typed) {
        tab->Combo1->lineEdit()->selectAll();
        QTest::keyClick(tab->Combo1->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(tab->Combo1->lineEdit(), row.typed);
    }
    if (row.before)
        row.before(*this);
    const QString modeBefore = mode();
    const QString keyBefore = tab->LangKey->text();
    dialogs.answer(row.boxes, row.reply == kType ? std::optional(row.text) : std::nullopt, row.reply == kYes);
    if (row.reply >= kSave)
        answerDialog(row.text, row.reply == kSave ? "Command2" : row.reply == kCancel ? "Command1" : nullptr);

    press(tab.get()->*row.button);

    EXPECT_EQ(dialogSeen, row.dialog);
    EXPECT_EQ(dialogs.shown(), row.boxes);
    EXPECT_EQ(rules(), row.rules);
    EXPECT_EQ(stored("tbl_Langs", "Language"), row.languages);
    EXPECT_EQ(stored("tbl_Text", "Translation"), row.texts);
    EXPECT_EQ(executedLines(), row.executed);
    EXPECT_EQ(mode(), row.mode.isEmpty() || row.mode == "emptied" ? modeBefore : row.mode);
    if (row.mode == "Rule") {
        EXPECT_EQ(tab->Combo1->currentText() + tab->LangKey->text(), "");
    }
    if (row.stale)
        return;
    EXPECT_EQ(texts(tab->ListView2->model(), 1), rules());
    EXPECT_EQ(texts(tab->Combo1->model()), row.languages);
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
    // Rule mode: the key three times, only the texts wide; nothing chosen in the box.
    QStringList shown = {tab->ListView2->headerItem()->text(1), tab->Combo1->currentText()};
    for (int column = 0; column < 3; ++column)
        shown << texts(tab->ListView3->model(), column).join(',');
    EXPECT_EQ(shown, QStringList({"RuleBasicLang", "", "1,2", "1,2", "1,2"}));
    EXPECT_EQ(QList<int>({tab->ListView2->columnWidth(0), tab->ListView2->columnWidth(1),
                          tab->ListView3->columnWidth(0), tab->ListView3->columnWidth(1),
                          tab->ListView3->columnWidth(2)}),
              QList<int>({0, px(18535), 0, 0, 0}));
    for (QLineEdit* hidden : {tab->BasicRuleKey, tab->LangKey, tab->SelTrans})
        EXPECT_TRUE(hidden->text().isEmpty() && !hidden->isVisible()) << hidden->objectName().toStdString();

    clickRuleNamed("No camping");
    EXPECT_EQ(tab->TextBox2->text(), "No camping");
    pickLanguage("Fran'ais");
    EXPECT_EQ(tab->ListView3->headerItem()->text(0) + tab->ListView3->headerItem()->text(3) +
                  tab->LangKey->text() + "|" + tab->TextBox2->text(),
              "RIDTranslation" + QString::number(lang[1]) + "|");
    clickRuleNamed("Be fair");
    clickRuleNamed("No camping");
    // The clicks in the basic list leave the speak list's memory alone.
    EXPECT_EQ(tab->TextBox2->text() + tab->SelTrans->text(), "");
}

// The arrow keys take a row as a click does, in both lists; only the user's move counts.
TEST_F(RulesTabTest, ARowReachedWithTheArrowKeysIsTakenAsAClickedOne) {
    tab->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tab.get()));
    pickLanguage("German");
    QStringList seen;
    for (QTreeWidget* list : {tab->ListView2, tab->ListView3}) {
        list->setFocus();
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Down}) { // Space takes the current first row
            QTest::keyClick(list, key);
            seen << tab->TextBox1->toPlainText() + "|" + tab->TextBox2->text();
        }
    }
    EXPECT_EQ(
        seen.join(" / ").toStdString(),
        "Be fair|Bitte fair / No camping|Nicht campen / No camping|Nicht campen / No camping|Bitte fair");
    tab->ListView3->setCurrentItem(tab->ListView3->topLevelItem(0));
    EXPECT_EQ(tab->TextBox2->text(), "Bitte fair") << "a row made current by the program runs nothing";
}

TEST_F(RulesTabTest, ATranslationLongerThanALineBoxsDefaultStaysWholeWhenShownSentAndChanged) {
    QString whole;
    while (whole.size() < 35003)
        whole += QStringLiteral("Ne campez pas, regle %1. ").arg(whole.size());
    whole.truncate(35003);
    store.addTranslation(lang[1], rule[1], whole.toStdU16String());
    pickLanguage("Fran'ais");
    clickRowNamed(tab->ListView3, 3, whole);
    // Compared as truth values: a failure would print all 35,003 characters.
    EXPECT_TRUE(tab->TextBox2->text() == whole) << tab->TextBox2->text().size();

    press(tab->CSpeakRule);
    ASSERT_FALSE(executedLines().empty());
    EXPECT_TRUE(QString::fromStdString(executedLines().back()).endsWith(whole.right(30).trimmed()));

    answerDialog(whole + "!", "Command2");
    press(tab->CEditLangRule);
    EXPECT_TRUE(dialogSeen.value(1) == whole) << dialogSeen.value(1).size();
    EXPECT_TRUE(stored("tbl_Text", "Translation").contains(whole + "!"));
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
    // A second operation started while the dialog waits gets no dialog of its own.
    answerDialog("Be nice", "Command2", [this] { click(tab->CChBasRule); });
    clickRuleNamed("Be fair");
    press(tab->CAddBasicRule);
    clickRuleNamed("Be fair");
    pickLanguage("German");
    answerDialog("", "Command1");
    press(tab->CAddLangRule);

    EXPECT_EQ(dialogSeen, QStringList({"Add a rule", "", "AddGerman translation", ""}));
    EXPECT_EQ(rules() + stored("tbl_Text", "Translation"),
              QStringList({"Be fair", "No camping", "Be nice", "Nicht campen", "Bitte fair", "Jouez fair"}));
    // One dialog, a window of its own, with its own caption again.
    const auto first = tab->window()->findChildren<QWidget*>("FrmRule", Qt::FindDirectChildrenOnly);
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first[0]->isWindow());
    EXPECT_EQ(first[0]->windowTitle(), "Rule work");
}

} // namespace
} // namespace brassbell::testing
