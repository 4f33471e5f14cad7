#include "test_speak_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

namespace brassbell::testing {
namespace {

class RandomSpeaker : public SpeakTabTest {
  protected:
    // Runs one speaking turn the way Timer2 brings it: a hundred ticks.
    void turn() {
        for (int tick = 0; tick < 100; ++tick)
            tab->tickTimer2();
    }
    void activate() { tab->Check1->setChecked(true); }
};

TEST_F(RandomSpeaker, EveryHundredthTickIsOneTurnWhetherOrNotTheSpeakerIsOn) {
    storeRandom({"one", "two"});
    startTab();

    for (int tick = 0; tick < 99; ++tick)
        tab->tickTimer2();
    EXPECT_EQ(tab->RndTickCount, 99);
    activate();
    tab->tickTimer2();
    EXPECT_EQ(tab->RndTickCount, 0);
    EXPECT_EQ(spoken(), std::vector<std::string>{"say two"});

    tab->Check1->setChecked(false);
    turn();
    EXPECT_EQ(tab->RndTickCount, 0);
    EXPECT_EQ(spoken().size(), 1u);
}

TEST_F(RandomSpeaker, Timer2RunsFromTheStartWithATickOfAHundredthOfTheStoredInterval) {
    peek.exec("UPDATE tbl_Sys SET Val = '30' WHERE Para = 'RndTimer'");
    startTab();

    auto* timer = tab->findChild<QTimer*>("Timer2");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 300);
    EXPECT_EQ(tab->Text2->text(), "30");
}

TEST_F(RandomSpeaker, FewerThanTwoEntriesNeverSpeak) {
    for (const QStringList& list : {QStringList{}, QStringList{"alone"}}) {
        SCOPED_TRACE(list.size());
        peek.exec("DELETE FROM tbl_RndSpeak");
        storeRandom(list);
        startTab();
        activate();
        for (int turns = 0; turns < 5; ++turns)
            turn();
        EXPECT_TRUE(spoken().empty());
        EXPECT_EQ(tab->LastRndIndex, 0);
    }
}

TEST_F(RandomSpeaker, TwoEntriesAlternateStrictlyBeginningWithTheSecond) {
    storeRandom({"first", "second"});
    startTab();
    activate();

    for (int turns = 0; turns < 6; ++turns)
        tab->fSendRndText2All();

    EXPECT_EQ(spoken(), (std::vector<std::string>{"say second", "say first", "say second", "say first",
                                                  "say second", "say first"}));
}

TEST_F(RandomSpeaker, PicksFollowTheFixedSequenceFromEveryStart) {
    storeRandom({"e0", "e1", "e2", "e3", "e4"});
    const std::vector<int> expected = {3, 2, 0, 4, 2, 4, 2, 4, 0, 4, 1, 3};
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        startTab();
        std::vector<int> picks;
        for (std::size_t n = 0; n < expected.size(); ++n) {
            const QString text = tab->fGetRndText(tab->List2);
            EXPECT_EQ(text, tab->List2->item(tab->LastRndIndex)->text());
            picks.push_back(tab->LastRndIndex);
        }
        EXPECT_EQ(picks, expected);
    }
}

TEST_F(RandomSpeaker, Check3SendsTheNextTurnToTheTeamOnly) {
    storeRandom({"a", "b"});
    startTab();
    activate();

    turn();
    tab->Check3->setChecked(true);
    turn();
    tab->Check3->setChecked(false);
    turn();

    EXPECT_EQ(spoken(), (std::vector<std::string>{"say b", "say_team a", "say b"}));
}

TEST_F(RandomSpeaker, WithoutAConsoleThePickIsMadeButNothingIsSent) {
    storeRandom({"a", "b", "c"});
    desktop.destroyWindow(et.window);
    startTab();
    activate();

    turn();

    EXPECT_NE(tab->LastRndIndex, 0);
    EXPECT_TRUE(spoken().empty());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RandomSpeaker, Command1CopiesTheSelectedTextAndKeepsTheSelection) {
    storeMemory({"alpha", "beta"});
    startTab();
    select(tab->List1, "beta");

    click(tab->Command1);

    EXPECT_EQ(random(), QStringList({"beta"}));
    EXPECT_EQ(entries(tab->List2), QStringList({"beta"}));
    ASSERT_EQ(tab->List1->selectedItems().size(), 1);
    EXPECT_EQ(tab->List1->selectedItems().front()->text(), "beta");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RandomSpeaker, Command2CopiesTheTypedLineAndEmptiesText1) {
    startTab();
    tab->Text1->setText(" typed ");

    click(tab->Command2);

    EXPECT_EQ(random(), QStringList({" typed "}));
    EXPECT_EQ(entries(tab->List2), QStringList({" typed "}));
    EXPECT_EQ(tab->Text1->text(), "");
}

TEST_F(RandomSpeaker, WithNothingSelectedOrTypedTheRandomListButtonsDoNothing) {
    storeRandom({"a"});
    startTab();
    // Added behind the list's back: a rebuild would show it.
    storeRandom({"unseen"});

    for (QPushButton* button : {tab->Command1, tab->Command2, tab->CChRndList, tab->CDelFromRnd})
        click(button);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(random(), QStringList({"a", "unseen"}));
    EXPECT_EQ(entries(tab->List2), QStringList({"a"}));
}

TEST_F(RandomSpeaker, AFailedCopyIsReportedAndKeepsTheTypedLine) {
    startTab();
    peek.exec("ALTER TABLE tbl_RndSpeak RENAME TO tbl_RndSpeak_away");
    tab->Text1->setText("keep me");
    dialogs.answerOk();

    click(tab->Command2);

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(tab->Text1->text(), "keep me");
    EXPECT_EQ(tab->List2->count(), 0);
}

TEST_F(RandomSpeaker, AddCancelledStoresNothingButRebuildsTheRandomList) {
    storeRandom({"a", "b"});
    startTab();
    tab->List2->setCurrentRow(0);
    storeRandom({"c"});
    dialogs.cancelInput();

    click(tab->CAdd2RDLIST);

    EXPECT_EQ(dialogs.last().text, "Please enter the text you want to add to your random list");
    EXPECT_EQ(dialogs.last().title, "Please enter your text");
    EXPECT_EQ(random(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(entries(tab->List2).size(), 3);
    EXPECT_TRUE(tab->List2->selectedItems().isEmpty());
}

TEST_F(RandomSpeaker, ChangeAndDeleteInTheRandomListTouchOnlyTheFirstEqualText) {
    storeRandom({"dup", "mid", "dup", "it's"});
    startTab();

    selectLast(tab->List2, "dup");
    dialogs.typeIntoInput("changed");
    dialogs.answerYes();
    click(tab->CChRndList);
    EXPECT_EQ(dialogs.last().text, "Replace:\r\ndup\r\nwith:\r\nchanged ?");
    EXPECT_EQ(dialogs.last().title, "Replace text?");
    EXPECT_EQ(random(), QStringList({"changed", "mid", "dup", "it's"}));

    select(tab->List2, "it's");
    dialogs.answerYes();
    click(tab->CDelFromRnd);
    EXPECT_EQ(dialogs.last().text,
              "Do you want to delete the text\r\n\r\n>>> it's<<< from your random list?");
    EXPECT_EQ(dialogs.last().title, "Delete?");
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(random(), QStringList({"changed", "mid", "dup"}));
    EXPECT_EQ(entries(tab->List2).size(), 3);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(RandomSpeaker, ARandomTextGoneBeforeDeleteIsReportedAndTheListShowsTheDatabase) {
    storeRandom({"gone", "stays"});
    startTab();
    select(tab->List2, "gone");
    peek.exec("DELETE FROM tbl_RndSpeak WHERE RandomSpeak = 'gone'");
    dialogs.answerYes();
    dialogs.answerOk();

    click(tab->CDelFromRnd);

    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(entries(tab->List2), QStringList({"stays"}));
}

TEST_F(RandomSpeaker, ControlsThatNeedAConsoleCarryTheirTag) {
    startTab();
    const QStringList tagged = {"cSpeak2Team",   "cSpeak2All", "cSpeak2TeamMan",
                                "cSpeak2AllMan", "Check1",     "Check3"};
    QStringList found;
    for (const QWidget* widget : tab->findChildren<QWidget*>())
        if (widget->property("Tag").toString() == "OnlyConn_QW")
            found << widget->objectName();
        else
            EXPECT_FALSE(widget->property("Tag").isValid()) << widget->objectName().toStdString();
    found.sort();
    QStringList expected = tagged;
    expected.sort();
    EXPECT_EQ(found, expected);
    EXPECT_FALSE(tab->Check1->isChecked());
    EXPECT_FALSE(tab->Check3->isChecked());
}

} // namespace
} // namespace brassbell::testing
