#include "GuiWorld.h"
#include "commands/AdminModTab.h"
#include "commands/CommandsTab.h"
#include "uikit/Twips.h"

#include <QGroupBox>
#include <QPushButton>

#include <map>

namespace brassbell::testing {
namespace {

enum Ask { Plain, Name, Time, Question };

// What the ET game executes when the player name is "Bob", the time limit 45 and every
// question is answered Yes.
struct Row {
    int number; // of the button, Command<number>
    const char* caption;
    std::vector<std::string> executed;
    Ask ask = Plain;
    const char* question = "Do you want to do this???"; // asked with a player name: "... with: Bob ???"
    const char* title = "Confirm action";
};

const char* const kTimeQuestion = "Do you want to change the overall timelimit for this map to 45 minutes?";

// clang-format off
const std::vector<Row> kRows = {
    {46, "Pause", {"pause"}}, {47, "Unpause", {"unpause"}}, {48, "Clear console", {"clear"}},
    {49, "Console dump", {"condump Condump.txt"}}, {50, "Kick", {"kick Bob"}, Name},
    {51, "Selfkill (kill)", {"kill"}},
    {52, "Bindlist to text-file", {"clear", "bindlist", "condump Bindlist.txt"}},
    {53, "map restart", {"map_restart"}, Question},
    {54, "Timelimit", {"timelimit 45"}, Time, kTimeQuestion, "Change timelimit?"},
    {55, "Ref", {"makereferee Bob"}, Name}, {56, "Unref", {"removereferee Bob"}, Name},
    {57, "Ignore", {"ignore Bob"}, Name}, {58, "Unignore", {"unignore Bob"}, Name},
    {59, "Speclock", {"speclock"}}, {60, "Specunlock", {"specunlock"}}, {61, "Lock", {"lock"}},
    {62, "Unlock", {"unlock"}}, {63, "Swap teams", {"swap_teams"}, Question},
    {64, "Reset match", {"reset_match"}, Question}, {65, "Start match", {"start_match"}},
    {66, "Shuffle teams", {"shuffle_teams"}, Question}, {4, "Admintest", {"say !admintest"}},
    {5, "List Commands", {"say !listcmds"}}, {6, "Time", {"say !time"}}, {7, "Beer", {"say !beer"}},
    {8, "Pizza", {"say !pizza"}}, {9, "Bye", {"say !bye"}}, {10, "Coke", {"say !coke"}},
    {11, "KZ stinkt", {"say !kzstinkt"}}, {12, "Start", {"say !start"}}, {13, "Owned", {"say !owned"}},
    {14, "Pants", {"say !pants"}}, {15, "WhoAmI", {"say !whoami"}}, {16, "fKick", {"say !fkick Bob"}, Name},
    {17, "Kick", {"say !kick Bob"}, Name}, {18, "hKick", {"say !hkick Bob"}, Name},
    {19, "Mute", {"say !mute Bob"}, Name}, {20, "Unmute", {"say !unmute Bob"}, Name},
    {21, "SpecLock", {"say !speclock"}}, {22, "SpecUnlock", {"say !specunlock"}},
    {23, "MuteSpecs", {"say !mutespecs"}}, {24, "UnmuteSpecs", {"say !unmutespecs"}},
    {25, "Shuffleteamsxp_norestart", {"say !shuffleteamsxp_norestart"}, Question,
     "Do you want to shuffle teams (without restart)?", "Shuffle teams"},
    {26, "Timelimit", {"say !timelimit 45"}, Time, kTimeQuestion, "Change timelimit?"},
    {27, "PutMeSpec", {"say !putmespec"}}, {28, "PutMeAllies", {"say !putmeallies"}},
    {29, "PutMeAxis", {"say !putemeaxis"}}, {30, "Ban", {"say !ban Bob"}, Name},
    {31, "Screenie", {"say !getss Bob"}, Name}, {32, "Pause", {"say !pause"}},
    {33, "Unpause", {"say !unpause"}}, {34, "Lock", {"say !lock"}}, {35, "Unlock", {"say !unlock"}},
    {36, "Match reset", {"say !match_reset"}, Question, "Do you want to reset this match?", "Reset?"},
    {37, "Reset", {"say !reset"}, Question, "Do you want to reset?", "Reset?"},
    {39, "Map restart", {"say !restart"}, Question, "Do you want to restart this map?", "Restart?"},
    {40, "Start Match", {"say !start_match"}, Question, "Do you want to start this match?", "Start match?"},
    {41, "Allready", {"say !allready"}}, {42, "PutSpec", {"say !putspec Bob"}, Name},
    {43, "PutAxis", {"say !putaxis Bob"}, Name}, {44, "PutAllies", {"say !putallies Bob"}, Name},
    {45, "Swap Teams", {"say !swap_teams"}, Question, "Do you want to swap teams?", "Swap teams?"}};
// clang-format on

const std::map<int, QString> kClosingMessages = {{49, "Dump was created in your ETMain-Folder"},
                                                 {52, "Bindings was exported to ETMain\\Bindlist.txt"}};

class CommandPanelsTest : public GuiWorld {
protected:
    QPushButton* button(int number) {
        const QString name = QStringLiteral("Command%1").arg(number);
        QPushButton* found = commands.findChild<QPushButton*>(name);
        return found ? found : adminMod.findChild<QPushButton*>(name);
    }

    CommandsTab commands{app};
    AdminModTab adminMod{app};
};

// Each button is pressed twice: answered No, or for a button that asks nothing with no console
// there, where only its closing message shows; then answered Yes on an ET console.
TEST_F(CommandPanelsTest, EveryButtonSendsItsLinesOnlyWhenAnsweredYes) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.number);
        ASSERT_NE(button(row.number), nullptr);
        EXPECT_EQ(button(row.number)->text(), QString::fromUtf8(row.caption));
        for (const bool yes : {false, true}) {
            desktop = SimulatedDesktop();
            if (yes || row.ask != Plain)
                desktop.createEtConsole();
            dialogs.clearShown();
            std::vector<ScriptedDialogs::Shown> boxes;
            if (row.ask == Name || row.ask == Time)
                boxes.push_back(row.ask == Name
                                    ? ScriptedDialogs::input("Please enter the player name", "Playername")
                                    : ScriptedDialogs::input("Please enter the allover map time in minutes",
                                                             "Timelimit", "20"));
            if (row.ask != Plain)
                boxes.push_back(ScriptedDialogs::message(
                    row.ask == Name ? "Do you want to do this with: Bob ???" : row.question, row.title,
                    MsgButtons::YesNo));
            if (kClosingMessages.count(row.number) && (yes || row.ask == Plain))
                boxes.push_back(ScriptedDialogs::message(kClosingMessages.at(row.number)));
            dialogs.answer(boxes, row.ask == Name ? "Bob" : "45", yes);
            button(row.number)->click();
            EXPECT_EQ(executedLines(), yes ? row.executed : std::vector<std::string>{});
            EXPECT_EQ(dialogs.shown(), boxes);
        }
    }
    EXPECT_EQ(commands.findChildren<QPushButton*>().size(), 21);
    EXPECT_EQ(adminMod.findChildren<QPushButton*>().size(), 41);
}

// A cancelled name sends the bare command; a time limit that is no number, twenty minutes.
TEST_F(CommandPanelsTest, CancelledOrUnreadableAnswersStillAskAndSend) {
    desktop.createEtConsole();
    dialogs.cancelInput();
    dialogs.answerYes();
    button(50)->click();
    dialogs.typeIntoInput("abc");
    dialogs.answerYes();
    button(54)->click();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, "Do you want to do this with:  ???");
    EXPECT_EQ(dialogs.last().text, "Do you want to change the overall timelimit for this map to 20 minutes?");
    EXPECT_EQ(executedLines(), (std::vector<std::string>{"kick ", "timelimit 20"}));
}

TEST_F(CommandPanelsTest, ButtonsStandInTheirGridAndFrames) {
    const int grid[7][3] = {{55, 50, 60}, {56, 57, 59}, {46, 58, 61}, {47, 63, 62},
                            {53, 65, 54}, {64, 52, 66}, {51, 48, 49}};
    EXPECT_EQ(button(55)->size(), QSize(px(1935), px(375)));
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(button(grid[row][column])->geometry(),
                      button(55)->geometry().translated(px(column * 3840), px(row * 600)))
                << grid[row][column];
    // clang-format off
    const std::pair<const char*, std::vector<int>> frames[] = {
        {"Frame1", {4, 5, 6, 7, 8, 9, 10, 11}}, {"Frame2", {12, 13, 14, 15}},
        {"Frame3", {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31}},
        {"Frame4", {30, 32, 33, 34, 35, 36, 37, 39, 40, 41, 42, 43, 44, 45}}};
    // clang-format on
    int previousBottom = -1, level = 0;
    for (const auto& [frameName, members] : frames) {
        auto* frame = adminMod.findChild<QGroupBox*>(QLatin1String(frameName));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QStringLiteral("Level%1").arg(level++));
        EXPECT_GT(frame->geometry().top(), std::exchange(previousBottom, frame->geometry().bottom()));
        for (int member : members)
            EXPECT_EQ(button(member)->parentWidget(), frame) << member;
    }
    // "Shuffleteamsxp_norestart" spans two columns; "Screenie" stands in row 3, column 2.
    EXPECT_EQ(button(25)->width(), px(1320 + 1215));
    EXPECT_EQ(button(31)->geometry().topLeft() - button(16)->geometry().topLeft(),
              QPoint(px(1320), px(2 * 480)));
}

} // namespace
} // namespace brassbell::testing
