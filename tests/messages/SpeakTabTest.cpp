#include "SpeakTabFixture.h"

namespace brassbell::testing {
namespace {

// The text memory and the random list share add, change and delete; each asks in its own words.
struct TextList {
    const char* name;
    QListWidget* SpeakTab::*list;
    QPushButton* SpeakTab::*add;
    QPushButton* SpeakTab::*change;
    QPushButton* SpeakTab::*remove;
    const char* table;
    const char* field;
    const char* addPrompt;
    const char* deleteEnd;
};

const TextList kLists[] = {
    {"Memory", &SpeakTab::List1, &SpeakTab::CAddText, &SpeakTab::cChText, &SpeakTab::cDelText, "tbl_Say",
     "SayText", "Please enter the text you want to add to your speak box", "<<< ?"},
    {"Random", &SpeakTab::List2, &SpeakTab::CAdd2RDLIST, &SpeakTab::CChRndList, &SpeakTab::CDelFromRnd,
     "tbl_RndSpeak", "RandomSpeak", "Please enter the text you want to add to your random list",
     "<<< from your random list?"},
};

void PrintTo(const TextList& list, std::ostream* out) {
    *out << list.name;
}

class TextListTest : public SpeakTabTest, public ::testing::WithParamInterface<TextList> {
protected:
    QListWidget* list() const { return tab.get()->*GetParam().list; }
    void press(QPushButton* SpeakTab::*button) { click(tab.get()->*button); }
    void put(const QStringList& texts) { storeTexts(GetParam().table, GetParam().field, texts); }
    QStringList texts() { return stored(GetParam().table, GetParam().field); }
};

TEST_P(TextListTest, AddStoresTheAnswerAsTypedAndShowsIt) {
    put({"alpha"});
    startTab();
    dialogs.typeIntoInput("   ");
    press(GetParam().add);

    EXPECT_EQ(dialogs.shown(), std::vector<ScriptedDialogs::Shown>{
                                   ScriptedDialogs::input(GetParam().addPrompt, "Please enter your text")});
    EXPECT_EQ(texts(), QStringList({"alpha", "   "}));
    EXPECT_EQ(entries(list()).size(), 2);
    EXPECT_TRUE(entries(list()).contains("   "));
}

TEST_P(TextListTest, AddCancelledStoresNothingButRebuildsTheList) {
    put({"alpha", "beta"});
    startTab();
    list()->setCurrentRow(1);
    // Stored by someone else after the list was filled: only a rebuild shows it.
    put({"gamma"});
    dialogs.cancelInput();
    press(GetParam().add);

    EXPECT_EQ(texts(), QStringList({"alpha", "beta", "gamma"}));
    EXPECT_EQ(entries(list()), texts());
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_P(TextListTest, ChangeAndDeleteReachOnlyTheFirstOfTwoEqualTextsAfterAskingExactly) {
    put({"it's", "don't", "it's", "don't"});
    startTab();

    select(list(), "it's", true);
    dialogs.typeIntoInput("isn't it");
    dialogs.answerYes();
    press(GetParam().change);
    EXPECT_EQ(dialogs.shown(),
              (std::vector<ScriptedDialogs::Shown>{
                  ScriptedDialogs::input("Please change the text like you want", "Change text", "it's"),
                  ScriptedDialogs::message("Replace:\r\nit's\r\nwith:\r\nisn't it ?", "Replace text?",
                                           MsgButtons::YesNo)}));
    EXPECT_TRUE(list()->selectedItems().isEmpty());

    select(list(), "don't", true);
    dialogs.answerYes();
    press(GetParam().remove);
    EXPECT_EQ(dialogs.last(),
              ScriptedDialogs::message(QString("Do you want to delete the text\r\n\r\n>>> don't") +
                                           GetParam().deleteEnd,
                                       "Delete?", MsgButtons::YesNo));
    EXPECT_EQ(texts(), QStringList({"isn't it", "it's", "don't"}));
    EXPECT_EQ(entries(list()), texts());
}

TEST_P(TextListTest, ChangeCancelledOrToTheSameTextOrAnsweredNoChangesNothing) {
    put({"  Same  "});
    startTab();
    list()->setCurrentRow(0);
    dialogs.cancelInput();
    press(GetParam().change);
    dialogs.typeIntoInput("  Same  ");
    press(GetParam().change);
    EXPECT_TRUE(dialogs.messages().empty());

    // Case counts: a change of case alone is a change and is asked about.
    dialogs.typeIntoInput("  SAME  ");
    dialogs.answerNo();
    press(GetParam().change);
    dialogs.answerNo();
    press(GetParam().remove);

    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(texts(), QStringList({"  Same  "}));
    EXPECT_EQ(list()->selectedItems().size(), 1);
}

TEST_P(TextListTest, ARecordGoneBeforeChangeOrDeleteIsReportedAndTheListShowsTheDatabase) {
    for (QPushButton* SpeakTab::*button : {GetParam().change, GetParam().remove}) {
        SCOPED_TRACE(button == GetParam().change ? "change" : "delete");
        sql.execute(std::string("DELETE FROM ") + GetParam().table);
        put({"stale", "other"});
        dialogs.clearShown();
        startTab();
        select(list(), "stale");
        sql.execute(std::string("DELETE FROM ") + GetParam().table + " WHERE rowid = 1");
        put({"newer"});
        if (button == GetParam().change)
            dialogs.typeIntoInput("fresh");
        dialogs.answerYes();
        dialogs.answerOk();
        press(button);

        EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
        EXPECT_FALSE(dialogs.last().text.isEmpty());
        EXPECT_EQ(texts(), QStringList({"other", "newer"}));
        EXPECT_EQ(entries(list()), texts());
    }
}

TEST_P(TextListTest, AMissingTableIsReportedOnceAndLeavesNoStaleEntriesUntilItIsBack) {
    put({"alpha"});
    startTab();
    const std::string table = GetParam().table;
    sql.execute("ALTER TABLE " + table + " RENAME TO away");
    dialogs.typeIntoInput("beta");
    dialogs.answerOk();
    press(GetParam().add);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(list()->count(), 0);

    sql.execute("ALTER TABLE away RENAME TO " + table);
    dialogs.typeIntoInput("beta");
    press(GetParam().add);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(texts(), QStringList({"alpha", "beta"}));
    EXPECT_EQ(list()->count(), 2);
}

INSTANTIATE_TEST_SUITE_P(Both, TextListTest, ::testing::ValuesIn(kLists),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

using TextMemoryTest = SpeakTabTest;

TEST_F(TextMemoryTest, WithNothingSelectedOrTypedNoButtonDoesAnything) {
    storeMemory({"alpha"});
    storeRandom({"a"});
    startTab();
    // Added behind the lists' backs: a rebuild would show them.
    storeMemory({"unseen"});
    storeRandom({"unseen"});

    for (QPushButton* button :
         {tab->cChText, tab->cDelText, tab->cSpeak2All, tab->cSpeak2Team, tab->cSpeak2AllMan,
          tab->cSpeak2TeamMan, tab->Command1, tab->Command2, tab->CChRndList, tab->CDelFromRnd})
        click(button);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(executedLines().empty());
    EXPECT_EQ(memory(), QStringList({"alpha", "unseen"}));
    EXPECT_EQ(random(), QStringList({"a", "unseen"}));
    EXPECT_EQ(entries(tab->List1), QStringList({"alpha"}));
    EXPECT_EQ(entries(tab->List2), QStringList({"a"}));
}

TEST_F(TextMemoryTest, SpeakButtonsSendTheirTextUnchangedToAllOrTeam) {
    storeMemory({"  spaced  ", "gl hf"});
    startTab();
    select(tab->List1, "  spaced  ");
    tab->Text1->setText("typed line");

    for (QPushButton* button : {tab->cSpeak2All, tab->cSpeak2Team, tab->cSpeak2AllMan, tab->cSpeak2TeamMan})
        click(button);

    EXPECT_EQ(executedLines(), (std::vector<std::string>{"say   spaced  ", "say_team   spaced  ",
                                                         "say typed line", "say_team typed line"}));
    EXPECT_EQ(tab->Text1->text(), "typed line");
}

} // namespace
} // namespace brassbell::testing
