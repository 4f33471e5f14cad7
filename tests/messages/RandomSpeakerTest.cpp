#include "SpeakTabFixture.h"

namespace brassbell::testing {
namespace {

class RandomSpeakerTest : public SpeakTabTest {
protected:
    // Runs one speaking turn the way Timer2 brings it: a hundred ticks.
    void turn() {
        for (int tick = 0; tick < 100; ++tick)
            tab->tickTimer2();
    }
    void activate() { tab->Check1->setChecked(true); }
};

TEST_F(RandomSpeakerTest, EveryHundredthTickIsOneTurnWhetherOrNotTheSpeakerIsOn) {
    storeRandom({"one", "two"});
    startTab();
    EXPECT_FALSE(tab->Check1->isChecked() || tab->Check3->isChecked()) << "the speaker starts switched off";
    for (int tick = 0; tick < 99; ++tick)
        tab->tickTimer2();
    EXPECT_EQ(tab->RndTickCount, 99);
    activate();
    tab->tickTimer2();
    EXPECT_EQ(tab->RndTickCount, 0);
    EXPECT_EQ(executedLines(), std::vector<std::string>{"say two"});

    tab->Check1->setChecked(false);
    turn();
    EXPECT_EQ(tab->RndTickCount, 0);
    EXPECT_EQ(executedLines().size(), 1u);
}

TEST_F(RandomSpeakerTest, FewerThanTwoEntriesNeverSpeak) {
    for (const QStringList& list : {QStringList{}, QStringList{"alone"}}) {
        SCOPED_TRACE(list.size());
        sql.execute("DELETE FROM tbl_RndSpeak");
        storeRandom(list);
        startTab();
        activate();
        for (int turns = 0; turns < 5; ++turns)
            turn();
        EXPECT_TRUE(executedLines().empty());
        EXPECT_EQ(tab->LastRndIndex, 0);
    }
}

TEST_F(RandomSpeakerTest, PicksFollowTheFixedSequenceFromEveryStart) {
    storeRandom({"e0", "e1", "e2", "e3", "e4"});
    const std::vector<int> expected = {3, 2, 0, 4, 2, 4, 2, 4, 0, 4, 1, 3};
    for (int start = 0; start < 2; ++start) {
        startTab();
        std::vector<int> picks;
        for (std::size_t n = 0; n < expected.size(); ++n) {
            const QString text = tab->fGetRndText(tab->List2); // before LastRndIndex is read
            EXPECT_EQ(text, tab->List2->item(tab->LastRndIndex)->text());
            picks.push_back(tab->LastRndIndex);
        }
        EXPECT_EQ(picks, expected) << "start " << start;
    }
}

TEST_F(RandomSpeakerTest, TwoEntriesAlternateBeginningWithTheSecondAndCheck3SendsATurnToTheTeamOnly) {
    storeRandom({"a", "b"});
    startTab();
    activate();
    for (const bool team : {false, true, false, false}) {
        tab->Check3->setChecked(team);
        turn();
    }
    EXPECT_EQ(executedLines(), (std::vector<std::string>{"say b", "say_team a", "say b", "say a"}));
}

TEST_F(RandomSpeakerTest, WithoutAConsoleThePickIsMadeButNothingIsSent) {
    storeRandom({"a", "b", "c"});
    desktop.destroyWindow(et.window);
    startTab();
    activate();

    turn();

    EXPECT_NE(tab->LastRndIndex, 0);
    EXPECT_TRUE(executedLines().empty());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RandomSpeakerTest, Command1CopiesTheSelectedTextKeepingItSelectedAndCommand2TheTypedLineEmptyingIt) {
    storeMemory({"alpha", "beta"});
    startTab();
    select(tab->List1, "beta");
    click(tab->Command1);
    ASSERT_EQ(tab->List1->selectedItems().size(), 1);
    EXPECT_EQ(tab->List1->selectedItems().front()->text(), "beta");

    tab->Text1->setText(" typed ");
    click(tab->Command2);
    EXPECT_EQ(random(), QStringList({"beta", " typed "}));
    EXPECT_EQ(entries(tab->List2), random());
    EXPECT_EQ(tab->Text1->text(), "");
}

TEST_F(RandomSpeakerTest, AFailedCopyIsReportedAndKeepsTheTypedLine) {
    startTab();
    sql.execute("ALTER TABLE tbl_RndSpeak RENAME TO tbl_RndSpeak_away");
    tab->Text1->setText("keep me");
    dialogs.answerOk();

    click(tab->Command2);

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(tab->Text1->text(), "keep me");
    EXPECT_EQ(tab->List2->count(), 0);
}

} // namespace
} // namespace brassbell::testing
