#include "test_speak_fixture.h"

#include <QLineEdit>

namespace brassbell::testing {
namespace {

using TextMemory = SpeakTabTest;

TEST_F(TextMemory, AddStoresTheAnswerAsTypedAndShowsIt) {
    storeMemory({"alpha"});
    startTab();
    dialogs.typeIntoInput("   ");

    click(tab->CAddText);

    const auto& box = dialogs.last();
    EXPECT_EQ(box.kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(box.text, "Please enter the text you want to add to your speak box");
    EXPECT_EQ(box.title, "Please enter your text");
    EXPECT_EQ(box.defaultText, "");
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

TEST_F(TextMemory, ChangeReplacesOnlyTheFirstOfTwoEqualTextsAfterAskingExactly) {
    storeMemory({"gg", "it's", "gg"});
    startTab();
    selectLast(tab->List1, "gg");
    dialogs.typeIntoInput("GG all");
    dialogs.answerYes();

    click(tab->cChText);

    const auto& input = dialogs.shown().front();
    EXPECT_EQ(input.text, "Please change the text like you want");
    EXPECT_EQ(input.title, "Change text");
    EXPECT_EQ(input.defaultText, "gg");
    const auto& question = dialogs.last();
    EXPECT_EQ(question.text, "Replace:\r\ngg\r\nwith:\r\nGG all ?");
    EXPECT_EQ(question.title, "Replace text?");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::None);
    EXPECT_EQ(memory(), QStringList({"GG all", "it's", "gg"}));
    EXPECT_EQ(entries(tab->List1).size(), 3);
    EXPECT_TRUE(tab->List1->selectedItems().isEmpty());
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
    EXPECT_TRUE(dialogs.messages().size() == 2 && dialogs.allAnswersUsed());
}

TEST_F(TextMemory, ChangeToTheSameOrAnEmptyTextAsksAndWritesNothing) {
    struct Case {
        const char* name;
        bool cancel;
        QString answer;
    };
    const Case cases[] = {{"cancelled", true, {}}, {"same text", false, "  Same  "}};
    storeMemory({"  Same  "});
    startTab();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clearShown();
        tab->List1->setCurrentRow(0);
        if (c.cancel)
            dialogs.cancelInput();
        else
            dialogs.typeIntoInput(c.answer);

        click(tab->cChText);

        EXPECT_TRUE(dialogs.messages().empty());
        EXPECT_EQ(memory(), QStringList({"  Same  "}));
        EXPECT_EQ(tab->List1->selectedItems().size(), 1);
    }
}

TEST_F(TextMemory, AnsweringNoChangesNothingAndKeepsTheSelection) {
    storeMemory({"same"});
    startTab();
    tab->List1->setCurrentRow(0);
    // Case counts: a change of case alone is a change and is asked about.
    dialogs.typeIntoInput("SAME");
    dialogs.answerNo();
    dialogs.answerNo();

    click(tab->cChText);
    click(tab->cDelText);

    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(memory(), QStringList({"same"}));
    EXPECT_EQ(tab->List1->selectedItems().size(), 1);
}

TEST_F(TextMemory, DeleteRemovesOnlyTheFirstOfTwoEqualTextsAfterAskingExactly) {
    storeMemory({"hello", "x", "hello"});
    startTab();
    selectLast(tab->List1, "hello");
    dialogs.answerYes();

    click(tab->cDelText);

    const auto& question = dialogs.last();
    EXPECT_EQ(question.text, "Do you want to delete the text\r\n\r\n>>> hello<<< ?");
    EXPECT_EQ(question.title, "Delete?");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::None);
    EXPECT_EQ(memory(), QStringList({"x", "hello"}));
    EXPECT_EQ(entries(tab->List1).size(), 2);
    EXPECT_TRUE(entries(tab->List1).contains("hello"));
}

TEST_F(TextMemory, WithNothingSelectedOrTypedChangeDeleteAndSpeakDoNothing) {
    storeMemory({"alpha"});
    startTab();

    for (QPushButton* button : {tab->cChText, tab->cDelText, tab->cSpeak2All, tab->cSpeak2Team,
                                tab->cSpeak2AllMan, tab->cSpeak2TeamMan})
        click(button);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(spoken().empty());
    EXPECT_EQ(memory(), QStringList({"alpha"}));
}

TEST_F(TextMemory, SpeakButtonsSendTheirTextUnchangedToAllOrTeam) {
    storeMemory({"  spaced  ", "gl hf"});
    startTab();
    select(tab->List1, "  spaced  ");
    tab->Text1->setText("typed line");

    click(tab->cSpeak2All);
    click(tab->cSpeak2Team);
    click(tab->cSpeak2AllMan);
    click(tab->cSpeak2TeamMan);

    EXPECT_EQ(spoken(), (std::vector<std::string>{"say   spaced  ", "say_team   spaced  ", "say typed line",
                                                  "say_team typed line"}));
    EXPECT_EQ(tab->Text1->text(), "typed line");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(TextMemory, ARecordGoneBeforeChangeOrDeleteIsReportedAndTheListShowsTheDatabase) {
    struct Case {
        const char* name;
        QPushButton* SpeakTab::*button;
        bool needsInput;
    };
    const Case cases[] = {{"change", &SpeakTab::cChText, true}, {"delete", &SpeakTab::cDelText, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        peek.exec("DELETE FROM tbl_Say");
        storeMemory({"stale", "other"});
        dialogs.clearShown();
        startTab();
        select(tab->List1, "stale");
        peek.exec("DELETE FROM tbl_Say WHERE SayText = 'stale'");
        storeMemory({"newer"});
        if (c.needsInput)
            dialogs.typeIntoInput("fresh");
        dialogs.answerYes();
        dialogs.answerOk();

        click(tab.get()->*c.button);

        const auto& report = dialogs.last();
        EXPECT_EQ(report.buttons, MsgButtons::Ok);
        EXPECT_EQ(report.icon, MsgIcon::Critical);
        EXPECT_FALSE(report.text.isEmpty());
        EXPECT_EQ(memory(), QStringList({"other", "newer"}));
        EXPECT_EQ(entries(tab->List1), QStringList({"other", "newer"}));
        EXPECT_TRUE(dialogs.allAnswersUsed());
    }
}

TEST_F(TextMemory, AMissingTableIsReportedOnceAndLeavesNoStaleEntriesUntilItIsBack) {
    storeMemory({"alpha"});
    startTab();
    peek.exec("ALTER TABLE tbl_Say RENAME TO tbl_Say_away");
    dialogs.typeIntoInput("beta");
    dialogs.answerOk();

    click(tab->CAddText);

    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(tab->List1->count() == 0);

    peek.exec("ALTER TABLE tbl_Say_away RENAME TO tbl_Say");
    dialogs.typeIntoInput("beta");
    click(tab->CAddText);

    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(memory(), QStringList({"alpha", "beta"}));
    EXPECT_EQ(tab->List1->count(), 2);
}

} // namespace
} // namespace brassbell::testing
