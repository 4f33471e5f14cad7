#include "GuiWorld.h"
#include "console/AdminModTab.h"
#include "console/CommandsTab.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QPushButton>

#include <map>

namespace brassbell::testing {
namespace {

enum Ask { Plain, Name, Time, Question };

// What the ET game executes when the player name is "Bob", the time limit 45 and every
// question is answered Yes.
struct Row {
    const char* name;
    const char* caption;
    const char* tag;
    Ask ask;
    std::vector<std::string> executed;
};

const char* const kC = "OnlyConn";
const char* const kQW = "OnlyConn_QW";
const QString kConfirm = QStringLiteral("Confirm action");

// clang-format off
const std::vector<Row> kRows = {
    {"Command46", "Pause", kC, Plain, {"pause"}}, {"Command47", "Unpause", kC, Plain, {"unpause"}},
    {"Command48", "Clear console", kQW, Plain, {"clear"}},
    {"Command49", "Console dump", kQW, Plain, {"condump Condump.txt"}},
    {"Command50", "Kick", kC, Name, {"kick Bob"}}, {"Command51", "Selfkill (kill)", kQW, Plain, {"kill"}},
    {"Command52", "Bindlist to text-file", kC, Plain, {"clear", "bindlist", "condump Bindlist.txt"}},
    {"Command53", "map restart", kC, Question, {"map_restart"}},
    {"Command54", "Timelimit", kC, Time, {"timelimit 45"}},
    {"Command55", "Ref", kC, Name, {"makereferee Bob"}},
    {"Command56", "Unref", kC, Name, {"removereferee Bob"}},
    {"Command57", "Ignore", kC, Name, {"ignore Bob"}}, {"Command58", "Unignore", kC, Name, {"unignore Bob"}},
    {"Command59", "Speclock", kC, Plain, {"speclock"}},
    {"Command60", "Specunlock", kC, Plain, {"specunlock"}}, {"Command61", "Lock", kC, Plain, {"lock"}},
    {"Command62", "Unlock", kC, Plain, {"unlock"}}, {"Command63", "Swap teams", kC, Question, {"swap_teams"}},
    {"Command64", "Reset match", kC, Question, {"reset_match"}},
    {"Command65", "Start match", kC, Plain, {"start_match"}},
    {"Command66", "Shuffle teams", kC, Question, {"shuffle_teams"}},
    {"Command4", "Admintest", kC, Plain, {"say !admintest"}},
    {"Command5", "List Commands", kC, Plain, {"say !listcmds"}},
    {"Command6", "Time", kC, Plain, {"say !time"}}, {"Command7", "Beer", kC, Plain, {"say !beer"}},
    {"Command8", "Pizza", kC, Plain, {"say !pizza"}}, {"Command9", "Bye", kC, Plain, {"say !bye"}},
    {"Command10", "Coke", kC, Plain, {"say !coke"}}, {"Command11", "KZ stinkt", kC, Plain, {"say !kzstinkt"}},
    {"Command12", "Start", kC, Plain, {"say !start"}}, {"Command13", "Owned", kC, Plain, {"say !owned"}},
    {"Command14", "Pants", kC, Plain, {"say !pants"}}, {"Command15", "WhoAmI", kC, Plain, {"say !whoami"}},
    {"Command16", "fKick", kC, Name, {"say !fkick Bob"}}, {"Command17", "Kick", kC, Name, {"say !kick Bob"}},
    {"Command18", "hKick", kC, Name, {"say !hkick Bob"}}, {"Command19", "Mute", kC, Name, {"say !mute Bob"}},
    {"Command20", "Unmute", kC, Name, {"say !unmute Bob"}},
    {"Command21", "SpecLock", kC, Plain, {"say !speclock"}},
    {"Command22", "SpecUnlock", kC, Plain, {"say !specunlock"}},
    {"Command23", "MuteSpecs", kC, Plain, {"say !mutespecs"}},
    {"Command24", "UnmuteSpecs", kC, Plain, {"say !unmutespecs"}},
    {"Command25", "Shuffleteamsxp_norestart", kC, Question, {"say !shuffleteamsxp_norestart"}},
    {"Command26", "Timelimit", kC, Time, {"say !timelimit 45"}},
    {"Command27", "PutMeSpec", kC, Plain, {"say !putmespec"}},
    {"Command28", "PutMeAllies", kC, Plain, {"say !putmeallies"}},
    {"Command29", "PutMeAxis", kC, Plain, {"say !putemeaxis"}},
    {"Command30", "Ban", kC, Name, {"say !ban Bob"}}, {"Command31", "Screenie", kC, Name, {"say !getss Bob"}},
    {"Command32", "Pause", kC, Plain, {"say !pause"}}, {"Command33", "Unpause", kC, Plain, {"say !unpause"}},
    {"Command34", "Lock", kC, Plain, {"say !lock"}}, {"Command35", "Unlock", kC, Plain, {"say !unlock"}},
    {"Command36", "Match reset", kC, Question, {"say !match_reset"}},
    {"Command37", "Reset", kC, Question, {"say !reset"}},
    {"Command39", "Map restart", kC, Question, {"say !restart"}},
    {"Command40", "Start Match", kC, Question, {"say !start_match"}},
    {"Command41", "Allready", kC, Plain, {"say !allready"}},
    {"Command42", "PutSpec", kC, Name, {"say !putspec Bob"}},
    {"Command43", "PutAxis", kC, Name, {"say !putaxis Bob"}},
    {"Command44", "PutAllies", kC, Name, {"say !putallies Bob"}},
    {"Command45", "Swap Teams", kC, Question, {"say !swap_teams"}},
};
// clang-format on

// The AdminMod questions; every other question is the commands' own.
const std::map<std::string, std::pair<QString, QString>> kQuestions = {
    {"Command25", {"Do you want to shuffle teams (without restart)?", "Shuffle teams"}},
    {"Command36", {"Do you want to reset this match?", "Reset?"}},
    {"Command37", {"Do you want to reset?", "Reset?"}},
    {"Command39", {"Do you want to restart this map?", "Restart?"}},
    {"Command40", {"Do you want to start this match?", "Start match?"}},
    {"Command45", {"Do you want to swap teams?", "Swap teams?"}},
};

const std::map<std::string, QString> kClosingMessages = {
    {"Command49", "Dump was created in your ETMain-Folder"},
    {"Command52", "Bindings was exported to ETMain\\Bindlist.txt"},
};

ScriptedDialogs::Shown question(const Row& row) {
    if (row.ask == Name)
        return ScriptedDialogs::message("Do you want to do this with: Bob ???", kConfirm, MsgButtons::YesNo);
    if (row.ask == Time)
        return ScriptedDialogs::message(
            "Do you want to change the overall timelimit for this map to 45 minutes?", "Change timelimit?",
            MsgButtons::YesNo);
    const auto own = kQuestions.find(row.name);
    if (own == kQuestions.end())
        return ScriptedDialogs::message("Do you want to do this???", kConfirm, MsgButtons::YesNo);
    return ScriptedDialogs::message(own->second.first, own->second.second, MsgButtons::YesNo);
}

class CommandPanelsTest : public GuiWorld {
  protected:
    void SetUp() override { desktop.createEtConsole(); }

    QPushButton* button(const char* name) {
        QPushButton* found = commands.findChild<QPushButton*>(QLatin1String(name));
        return found ? found : adminMod.findChild<QPushButton*>(QLatin1String(name));
    }

    // Presses the button, giving "Bob" or "45" when asked, then `answer` to its question.
    std::vector<std::string> press(const Row& row, bool answer) {
        const std::size_t before = executedLines().size();
        if (row.ask == Name)
            dialogs.typeIntoInput(QStringLiteral("Bob"));
        if (row.ask == Time)
            dialogs.typeIntoInput(QStringLiteral("45"));
        if (row.ask != Plain)
            answer ? dialogs.answerYes() : dialogs.answerNo();
        if (answer && kClosingMessages.count(row.name))
            dialogs.answerOk();
        button(row.name)->click();
        const std::vector<std::string> all = executedLines();
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }

    CommandsTab commands{app};
    AdminModTab adminMod{app};
};

TEST_F(CommandPanelsTest, EveryButtonSendsItsLinesOnlyWhenAnsweredYes) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(button(row.name), nullptr);
        EXPECT_EQ(button(row.name)->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(button(row.name)->property("Tag").toString(), QString::fromUtf8(row.tag));
        if (row.ask != Plain) {
            EXPECT_TRUE(press(row, false).empty());
        }
        dialogs.clearShown();
        EXPECT_EQ(press(row, true), row.executed);

        std::vector<ScriptedDialogs::Shown> boxes;
        if (row.ask != Plain)
            boxes.push_back(question(row));
        if (kClosingMessages.count(row.name))
            boxes.push_back(ScriptedDialogs::message(kClosingMessages.at(row.name)));
        EXPECT_EQ(dialogs.messages(), boxes);
        EXPECT_TRUE(dialogs.allAnswersUsed());
    }
    EXPECT_EQ(commands.findChildren<QPushButton*>().size(), 21);
    EXPECT_EQ(adminMod.findChildren<QPushButton*>().size(), 41);
}

TEST_F(CommandPanelsTest, CancelledNameStillAsksAndSendsTheBareCommand) {
    dialogs.cancelInput();
    dialogs.answerYes();
    button("Command50")->click();
    EXPECT_EQ(dialogs.shown(), (std::vector<ScriptedDialogs::Shown>{
                                   ScriptedDialogs::input("Please enter the player name", "Playername"),
                                   ScriptedDialogs::message("Do you want to do this with:  ???", kConfirm,
                                                            MsgButtons::YesNo)}));
    EXPECT_EQ(executedLines(), std::vector<std::string>{"kick "});
}

TEST_F(CommandPanelsTest, TimeLimitAnswersBecomeWholeMinutes) {
    const std::pair<QString, const char*> cases[] = {
        {"45", "45"}, {"45.5", "46"}, {"44.5", "44"}, {"abc", "20"}, {QString(), "20"},
    };
    for (const auto& [answer, minutes] : cases) {
        SCOPED_TRACE(answer.toStdString());
        for (const char* name : {"Command54", "Command26"}) {
            dialogs.clearShown();
            answer.isNull() ? dialogs.cancelInput() : dialogs.typeIntoInput(answer);
            dialogs.answerYes();
            button(name)->click();
            EXPECT_EQ(
                dialogs.shown().front(),
                ScriptedDialogs::input("Please enter the allover map time in minutes", "Timelimit", "20"));
        }
        EXPECT_EQ(executedLines(), (std::vector<std::string>{std::string("timelimit ") + minutes,
                                                             std::string("say !timelimit ") + minutes}));
        desktop = SimulatedDesktop();
        desktop.createEtConsole();
    }
}

TEST_F(CommandPanelsTest, ClosingMessagesShowWithoutAConsole) {
    desktop = SimulatedDesktop();
    for (const auto& [name, text] : kClosingMessages) {
        dialogs.answerOk();
        button(name.c_str())->click();
        EXPECT_EQ(dialogs.last(), ScriptedDialogs::message(text));
    }
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(executedLines().empty());
}

TEST_F(CommandPanelsTest, CommandsStandInThreeColumnsOfSeven) {
    const char* grid[7][3] = {
        {"Command55", "Command50", "Command60"}, {"Command56", "Command57", "Command59"},
        {"Command46", "Command58", "Command61"}, {"Command47", "Command63", "Command62"},
        {"Command53", "Command65", "Command54"}, {"Command64", "Command52", "Command66"},
        {"Command51", "Command48", "Command49"},
    };
    const QRect first = button("Command55")->geometry();
    EXPECT_EQ(first.size(), QSize(px(1935), px(375)));
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(button(grid[row][column])->geometry(),
                      first.translated(px(column * 3840), px(row * 600)))
                << grid[row][column];
}

TEST_F(CommandPanelsTest, AdminModButtonsStandInTheirFrames) {
    const std::pair<const char*, std::vector<int>> frames[] = {
        {"Frame1", {4, 5, 6, 7, 8, 9, 10, 11}},
        {"Frame2", {12, 13, 14, 15}},
        {"Frame3", {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31}},
        {"Frame4", {30, 32, 33, 34, 35, 36, 37, 39, 40, 41, 42, 43, 44, 45}},
    };
    int previousBottom = -1;
    int level = 0;
    for (const auto& [frameName, members] : frames) {
        SCOPED_TRACE(frameName);
        auto* frame = adminMod.findChild<QGroupBox*>(QLatin1String(frameName));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QStringLiteral("Level%1").arg(level++));
        EXPECT_GT(frame->geometry().top(), previousBottom);
        previousBottom = frame->geometry().bottom();
        EXPECT_EQ(frame->findChildren<QPushButton*>().size(), static_cast<qsizetype>(members.size()));
        for (int member : members)
            EXPECT_EQ(button(qPrintable(QStringLiteral("Command%1").arg(member)))->parentWidget(), frame)
                << member;
    }
    // "Shuffleteamsxp_norestart" spans two columns; "Screenie" stands in row 3, column 2.
    EXPECT_EQ(button("Command25")->width(), px(1320 + 1215));
    EXPECT_EQ(button("Command31")->geometry().topLeft() - button("Command16")->geometry().topLeft(),
              QPoint(px(1320), px(2 * 480)));
}

} // namespace
} // namespace brassbell::testing
