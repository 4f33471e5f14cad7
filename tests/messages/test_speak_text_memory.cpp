#include "test_speak_fixture.h"

#include <QLineEdit>

namespace brassbell::testing {
namespace {

using TextMemory = SpeakTabTest;
using Shown = ScriptedDialogs::Shown;

TEST_F(TextMemory, AddStoresTheAnswerAsTypedAndShowsIt) {
    storeMemory({"alpha"});
    startTab();
    dialogs.typeIntoInput("   ");

    click(tab->CAddText);

    EXPECT_EQ(dialogs.last(),
              ScriptedDialogs::input("Please enter the text you want to add to your speak box",
                                     "Please enter your text"));
    EXPECT_EQ(memory(), QStringList({"alpha", "   "}));
    EXPECT_EQ(entries(tab->List1).size(), 2);
    EXPECT_TRUE(entries(tab->List1).contains("   "));
}

TEST_F(TextMemory, AddCancelledStoresNothingButRebuildsTheList) {
    storeMemory({"alpha", "beta"});
    startTab();
    tab->List1->setCurrentRow(1);
    // Stored by someone else after the list was filled: only a rebuild shows it.
    storeMemory({"gamma"});
    dialogs.cancelInput();

    click(tab->CAddText);

    EXPECT_EQ(memory(), QStringList({"alpha", "beta", "gamma"}));
    EXPECT_EQ(entries(tab->List1), QStringList({"alpha", "beta", "gamma"}));
    EXPECT_TRUE(tab->List1->selectedItems().isEmpty());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(TextMemory, ChangeAndDeleteReachOnlyTheFirstOfTwoEqualTextsAfterAskingExactly) {
    storeMemory({"gg", "hello", "gg", "hello"});
    startTab();

    select(tab->List1, "gg", true);
    dialogs.typeIntoInput("GG all");
    dialogs.answerYes();
    click(tab->cChText);
    EXPECT_EQ(dialogs.shown(),
              (std::vector<Shown>{
                  ScriptedDialogs::input("Please change the text like you want", "Change text", "gg"),
                  ScriptedDialogs::message("Replace:\r\ngg\r\nwith:\r\nGG all ?", "Replace text?",
                                           MsgButtons::YesNo)}));
    EXPECT_TRUE(tab->List1->selectedItems().isEmpty());

    select(tab->List1, "hello", true);
    dialogs.answerYes();
    click(tab->cDelText);
    EXPECT_EQ(dialogs.last(), ScriptedDialogs::message("Do you want to delete the text\r\n\r\n>>> hello<<< ?",
                                                       "Delete?", MsgButtons::YesNo));
    EXPECT_EQ(memory(), QStringList({"GG all", "gg", "hello"}));
    EXPECT_EQ(entries(tab->List1), memory());
}

TEST_F(TextMemory, TextsWithApostrophesAreChangedAndDeletedLikeOthers) {
    storeMemory({"don't camp", "it's 'quoted'"});
    startTab();

    select(tab->List1, "it's 'quoted'");
    dialogs.typeIntoInput("isn't it");
    dialogs.answerYes();
    click(tab->cChText);

    select(tab->List1, "don't camp");
    dialogs.answerYes();
    click(tab->cDelText);

    EXPECT_EQ(memory(), QStringList({"isn't it"}));
    EXPECT_EQ(entries(tab->List1), QStringList({"isn't it"}));
    EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(TextMemory, ChangeCancelledOrToTheSameTextOrAnsweredNoChangesNothing) {
    storeMemory({"  Same  "});
    startTab();
    tab->List1->setCurrentRow(0);
    dialogs.cancelInput();
    click(tab->cChText);
    dialogs.typeIntoInput("  Same  ");
    click(tab->cChText);
    EXPECT_TRUE(dialogs.messages().empty());

    // Case counts: a change of case alone is a change and is asked about.
    dialogs.typeIntoInput("  SAME  ");
    dialogs.answerNo();
    click(tab->cChText);
    dialogs.answerNo();
    click(tab->cDelText);

    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(memory(), QStringList({"  Same  "}));
    EXPECT_EQ(tab->List1->selectedItems().size(), 1);
}

TEST_F(TextMemory, WithNothingSelectedOrTypedChangeDeleteAndSpeakDoNothing) {
    storeMemory({"alpha"});
    startTab();

    for (QPushButton* button : {tab->cChText, tab->cDelText, tab->cSpeak2All, tab->cSpeak2Team,
                                tab->cSpeak2AllMan, tab->cSpeak2TeamMan})
        click(button);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(executedLines().empty());
    EXPECT_EQ(memory(), QStringList({"alpha"}));
}

TEST_F(TextMemory, SpeakButtonsSendTheirTextUnchangedToAllOrTeam) {
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

TEST_F(TextMemory, ARecordGoneBeforeChangeOrDeleteIsReportedAndTheListShowsTheDatabase) {
    for (QPushButton* SpeakTab::*button : {&SpeakTab::cChText, &SpeakTab::cDelText}) {
        SCOPED_TRACE(button == &SpeakTab::cChText ? "change" : "delete");
        sql.execute("DELETE FROM tbl_Say");
        storeMemory({"stale", "other"});
        dialogs.clearShown();
        startTab();
        select(tab->List1, "stale");
        sql.execute("DELETE FROM tbl_Say WHERE SayText = 'stale'");
        storeMemory({"newer"});
        if (button == &SpeakTab::cChText)
            dialogs.typeIntoInput("fresh");
        dialogs.answerYes();
        dialogs.answerOk();

        click(tab.get()->*button);

        EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
        EXPECT_FALSE(dialogs.last().text.isEmpty());
        EXPECT_EQ(memory(), QStringList({"other", "newer"}));
        EXPECT_EQ(entries(tab->List1), memory());
    }
}

TEST_F(TextMemory, AMissingTableIsReportedOnceAndLeavesNoStaleEntriesUntilItIsBack) {
    storeMemory({"alpha"});
    startTab();
    sql.execute("ALTER TABLE tbl_Say RENAME TO tbl_Say_away");
    dialogs.typeIntoInput("beta");
    dialogs.answerOk();
    click(tab->CAddText);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(tab->List1->count(), 0);

    sql.execute("ALTER TABLE tbl_Say_away RENAME TO tbl_Say");
    dialogs.typeIntoInput("beta");
    click(tab->CAddText);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(memory(), QStringList({"alpha", "beta"}));
    EXPECT_EQ(tab->List1->count(), 2);
}

} // namespace
} // namespace brassbell::testing
