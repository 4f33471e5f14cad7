#include "GuiWorld.h"
#include "console/AdminModTab.h"
#include "console/CommandsTab.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QPushButton>

#include <memory>

namespace brassbell::testing {
namespace {

enum class Ask { None, Name, Time, Question };

struct Row {
    const char* name;
    const char* caption;
    const char* tag;
    Ask ask;
    // What the ET game executes when the player name is "Bob", the time limit 45 and every
    // question is answered Yes.
    std::vector<std::string> executed;
    QString question = {};
    QString title = {};
    QString messageAfter = {};
};

const QString kDoThis = QStringLiteral("Do you want to do this???");
const QString kConfirm = QStringLiteral("Confirm action");

const std::vector<Row> kCommandsTab = {
    {"Command46", "Pause", "OnlyConn", Ask::None, {"pause"}},
    {"Command47", "Unpause", "OnlyConn", Ask::None, {"unpause"}},
    {"Command48", "Clear console", "OnlyConn_QW", Ask::None, {"clear"}},
    {"Command49",
     "Console dump",
     "OnlyConn_QW",
     Ask::None,
     {"condump Condump.txt"},
     {},
     {},
     QStringLiteral("Dump was created in your ETMain-Folder")},
    {"Command50", "Kick", "OnlyConn", Ask::Name, {"kick Bob"}},
    {"Command51", "Selfkill (kill)", "OnlyConn_QW", Ask::None, {"kill"}},
    {"Command52",
     "Bindlist to text-file",
     "OnlyConn",
     Ask::None,
     {"clear", "bindlist", "condump Bindlist.txt"},
     {},
     {},
     QStringLiteral("Bindings was exported to ETMain\\Bindlist.txt")},
    {"Command53", "map restart", "OnlyConn", Ask::Question, {"map_restart"}, kDoThis, kConfirm},
    {"Command54", "Timelimit", "OnlyConn", Ask::Time, {"timelimit 45"}},
    {"Command55", "Ref", "OnlyConn", Ask::Name, {"makereferee Bob"}},
    {"Command56", "Unref", "OnlyConn", Ask::Name, {"removereferee Bob"}},
    {"Command57", "Ignore", "OnlyConn", Ask::Name, {"ignore Bob"}},
    {"Command58", "Unignore", "OnlyConn", Ask::Name, {"unignore Bob"}},
    {"Command59", "Speclock", "OnlyConn", Ask::None, {"speclock"}},
    {"Command60", "Specunlock", "OnlyConn", Ask::None, {"specunlock"}},
    {"Command61", "Lock", "OnlyConn", Ask::None, {"lock"}},
    {"Command62", "Unlock", "OnlyConn", Ask::None, {"unlock"}},
    {"Command63", "Swap teams", "OnlyConn", Ask::Question, {"swap_teams"}, kDoThis, kConfirm},
    {"Command64", "Reset match", "OnlyConn", Ask::Question, {"reset_match"}, kDoThis, kConfirm},
    {"Command65", "Start match", "OnlyConn", Ask::None, {"start_match"}},
    {"Command66", "Shuffle teams", "OnlyConn", Ask::Question, {"shuffle_teams"}, kDoThis, kConfirm},
};

const std::vector<Row> kAdminModTab = {
    {"Command4", "Admintest", "OnlyConn", Ask::None, {"say !admintest"}},
    {"Command5", "List Commands", "OnlyConn", Ask::None, {"say !listcmds"}},
    {"Command6", "Time", "OnlyConn", Ask::None, {"say !time"}},
    {"Command7", "Beer", "OnlyConn", Ask::None, {"say !beer"}},
    {"Command8", "Pizza", "OnlyConn", Ask::None, {"say !pizza"}},
    {"Command9", "Bye", "OnlyConn", Ask::None, {"say !bye"}},
    {"Command10", "Coke", "OnlyConn", Ask::None, {"say !coke"}},
    {"Command11", "KZ stinkt", "OnlyConn", Ask::None, {"say !kzstinkt"}},
    {"Command12", "Start", "OnlyConn", Ask::None, {"say !start"}},
    {"Command13", "Owned", "OnlyConn", Ask::None, {"say !owned"}},
    {"Command14", "Pants", "OnlyConn", Ask::None, {"say !pants"}},
    {"Command15", "WhoAmI", "OnlyConn", Ask::None, {"say !whoami"}},
    {"Command16", "fKick", "OnlyConn", Ask::Name, {"say !fkick Bob"}},
    {"Command17", "Kick", "OnlyConn", Ask::Name, {"say !kick Bob"}},
    {"Command18", "hKick", "OnlyConn", Ask::Name, {"say !hkick Bob"}},
    {"Command19", "Mute", "OnlyConn", Ask::Name, {"say !mute Bob"}},
    {"Command20", "Unmute", "OnlyConn", Ask::Name, {"say !unmute Bob"}},
    {"Command21", "SpecLock", "OnlyConn", Ask::None, {"say !speclock"}},
    {"Command22", "SpecUnlock", "OnlyConn", Ask::None, {"say !specunlock"}},
    {"Command23", "MuteSpecs", "OnlyConn", Ask::None, {"say !mutespecs"}},
    {"Command24", "UnmuteSpecs", "OnlyConn", Ask::None, {"say !unmutespecs"}},
    {"Command25",
     "Shuffleteamsxp_norestart",
     "OnlyConn",
     Ask::Question,
     {"say !shuffleteamsxp_norestart"},
     QStringLiteral("Do you want to shuffle teams (without restart)?"),
     QStringLiteral("Shuffle teams")},
    {"Command26", "Timelimit", "OnlyConn", Ask::Time, {"say !timelimit 45"}},
    {"Command27", "PutMeSpec", "OnlyConn", Ask::None, {"say !putmespec"}},
    {"Command28", "PutMeAllies", "OnlyConn", Ask::None, {"say !putmeallies"}},
    {"Command29", "PutMeAxis", "OnlyConn", Ask::None, {"say !putemeaxis"}},
    {"Command30", "Ban", "OnlyConn", Ask::Name, {"say !ban Bob"}},
    {"Command31", "Screenie", "OnlyConn", Ask::Name, {"say !getss Bob"}},
    {"Command32", "Pause", "OnlyConn", Ask::None, {"say !pause"}},
    {"Command33", "Unpause", "OnlyConn", Ask::None, {"say !unpause"}},
    {"Command34", "Lock", "OnlyConn", Ask::None, {"say !lock"}},
    {"Command35", "Unlock", "OnlyConn", Ask::None, {"say !unlock"}},
    {"Command36",
     "Match reset",
     "OnlyConn",
     Ask::Question,
     {"say !match_reset"},
     QStringLiteral("Do you want to reset this match?"),
     QStringLiteral("Reset?")},
    {"Command37",
     "Reset",
     "OnlyConn",
     Ask::Question,
     {"say !reset"},
     QStringLiteral("Do you want to reset?"),
     QStringLiteral("Reset?")},
    {"Command39",
     "Map restart",
     "OnlyConn",
     Ask::Question,
     {"say !restart"},
     QStringLiteral("Do you want to restart this map?"),
     QStringLiteral("Restart?")},
    {"Command40",
     "Start Match",
     "OnlyConn",
     Ask::Question,
     {"say !start_match"},
     QStringLiteral("Do you want to start this match?"),
     QStringLiteral("Start match?")},
    {"Command41", "Allready", "OnlyConn", Ask::None, {"say !allready"}},
    {"Command42", "PutSpec", "OnlyConn", Ask::Name, {"say !putspec Bob"}},
    {"Command43", "PutAxis", "OnlyConn", Ask::Name, {"say !putaxis Bob"}},
    {"Command44", "PutAllies", "OnlyConn", Ask::Name, {"say !putallies Bob"}},
    {"Command45",
     "Swap Teams",
     "OnlyConn",
     Ask::Question,
     {"say !swap_teams"},
     QStringLiteral("Do you want to swap teams?"),
     QStringLiteral("Swap teams?")},
};

class CommandPanelsTest : public GuiWorld {
  protected:
    void SetUp() override { desktop.createEtConsole(); }

    QPushButton* button(const char* name) {
        QPushButton* found = commands.findChild<QPushButton*>(QLatin1String(name));
        return found ? found : adminMod.findChild<QPushButton*>(QLatin1String(name));
    }

    void scriptYes(const Row& row) {
        if (row.ask == Ask::Name)
            dialogs.typeIntoInput(QStringLiteral("Bob"));
        if (row.ask == Ask::Time)
            dialogs.typeIntoInput(QStringLiteral("45"));
        if (row.ask != Ask::None)
            dialogs.answerYes();
        if (!row.messageAfter.isEmpty())
            dialogs.answerOk();
    }

    static ScriptedDialogs::Shown question(const Row& row) {
        if (row.ask == Ask::Question)
            return ScriptedDialogs::message(row.question, row.title, MsgButtons::YesNo);
        if (row.ask == Ask::Name)
            return ScriptedDialogs::message("Do you want to do this with: Bob ???", kConfirm,
                                            MsgButtons::YesNo);
        return ScriptedDialogs::message(
            "Do you want to change the overall timelimit for this map to 45 minutes?", "Change timelimit?",
            MsgButtons::YesNo);
    }

    CommandsTab commands{app};
    AdminModTab adminMod{app};
};

TEST_F(CommandPanelsTest, EveryButtonHasItsCaptionAndTag) {
    for (const auto* table : {&kCommandsTab, &kAdminModTab}) {
        for (const Row& row : *table) {
            SCOPED_TRACE(row.name);
            QPushButton* pressed = button(row.name);
            ASSERT_NE(pressed, nullptr);
            EXPECT_EQ(pressed->text(), QString::fromUtf8(row.caption));
            EXPECT_EQ(pressed->property("Tag").toString(), QString::fromUtf8(row.tag));
        }
    }
    EXPECT_EQ(commands.findChildren<QPushButton*>().size(), 21);
    EXPECT_EQ(adminMod.findChildren<QPushButton*>().size(), 41);
}

TEST_F(CommandPanelsTest, EveryButtonAnsweredYesSendsItsLinesToTheGame) {
    for (const auto* table : {&kCommandsTab, &kAdminModTab}) {
        for (const Row& row : *table) {
            SCOPED_TRACE(row.name);
            const std::size_t before = executedLines().size();
            dialogs.clearShown();
            scriptYes(row);
            button(row.name)->click();

            const std::vector<std::string> all = executedLines();
            EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()),
                      row.executed);
            std::vector<ScriptedDialogs::Shown> boxes;
            if (row.ask != Ask::None)
                boxes.push_back(question(row));
            if (!row.messageAfter.isEmpty())
                boxes.push_back(ScriptedDialogs::message(row.messageAfter));
            EXPECT_EQ(dialogs.messages(), boxes);
            EXPECT_TRUE(dialogs.allAnswersUsed());
        }
    }
}

TEST_F(CommandPanelsTest, EveryQuestionAnsweredNoSendsNothing) {
    for (const auto* table : {&kCommandsTab, &kAdminModTab}) {
        for (const Row& row : *table) {
            if (row.ask == Ask::None)
                continue;
            SCOPED_TRACE(row.name);
            if (row.ask == Ask::Name)
                dialogs.typeIntoInput(QStringLiteral("Bob"));
            if (row.ask == Ask::Time)
                dialogs.typeIntoInput(QStringLiteral("45"));
            dialogs.answerNo();
            button(row.name)->click();
            EXPECT_TRUE(executedLines().empty());
        }
    }
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
    struct Case {
        QString answer;
        bool cancel;
        const char* console;
        const char* adminMod;
    };
    const Case cases[] = {
        {QStringLiteral("45"), false, "timelimit 45", "say !timelimit 45"},
        {QStringLiteral("45.5"), false, "timelimit 46", "say !timelimit 46"},
        {QStringLiteral("44.5"), false, "timelimit 44", "say !timelimit 44"},
        {QStringLiteral("abc"), false, "timelimit 20", "say !timelimit 20"},
        {QString(), true, "timelimit 20", "say !timelimit 20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        for (const char* name : {"Command54", "Command26"}) {
            dialogs.clearShown();
            c.cancel ? dialogs.cancelInput() : dialogs.typeIntoInput(c.answer);
            dialogs.answerYes();
            button(name)->click();
            EXPECT_EQ(
                dialogs.shown().front(),
                ScriptedDialogs::input("Please enter the allover map time in minutes", "Timelimit", "20"));
        }
        EXPECT_EQ(executedLines(), (std::vector<std::string>{c.console, c.adminMod}));
        desktop = SimulatedDesktop();
        desktop.createEtConsole();
    }
}

TEST_F(CommandPanelsTest, ClosingMessagesShowWithoutAConsole) {
    desktop = SimulatedDesktop();
    dialogs.answerOk();
    button("Command49")->click();
    dialogs.answerOk();
    button("Command52")->click();

    EXPECT_EQ(dialogs.messages(),
              (std::vector<ScriptedDialogs::Shown>{
                  ScriptedDialogs::message("Dump was created in your ETMain-Folder"),
                  ScriptedDialogs::message("Bindings was exported to ETMain\\Bindlist.txt")}));
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
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(grid[row][column]);
            const QRect place = button(grid[row][column])->geometry();
            EXPECT_EQ(place.size(), first.size());
            EXPECT_EQ(place.left() - first.left(), px(column * 3840));
            EXPECT_EQ(place.top() - first.top(), px(row * 600));
        }
    }
}

TEST_F(CommandPanelsTest, AdminModButtonsStandInTheirFrames) {
    const std::pair<const char*, std::vector<const char*>> frames[] = {
        {"Frame1",
         {"Command4", "Command5", "Command6", "Command7", "Command8", "Command9", "Command10", "Command11"}},
        {"Frame2", {"Command12", "Command13", "Command14", "Command15"}},
        {"Frame3",
         {"Command16", "Command17", "Command18", "Command19", "Command20", "Command21", "Command22",
          "Command23", "Command24", "Command25", "Command26", "Command27", "Command28", "Command29",
          "Command31"}},
        {"Frame4",
         {"Command30", "Command32", "Command33", "Command34", "Command35", "Command36", "Command37",
          "Command39", "Command40", "Command41", "Command42", "Command43", "Command44", "Command45"}},
    };
    const QStringList captions{"Level0", "Level1", "Level2", "Level3"};
    int previousBottom = -1;
    int index = 0;
    for (const auto& [frameName, members] : frames) {
        SCOPED_TRACE(frameName);
        auto* frame = adminMod.findChild<QGroupBox*>(QLatin1String(frameName));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), captions[index++]);
        EXPECT_GT(frame->geometry().top(), previousBottom);
        previousBottom = frame->geometry().bottom();
        EXPECT_EQ(frame->findChildren<QPushButton*>().size(), static_cast<qsizetype>(members.size()));
        for (const char* member : members)
            EXPECT_EQ(button(member)->parentWidget(), frame) << member;
    }
    // "Shuffleteamsxp_norestart" spans two columns; "Screenie" stands in row 3, column 2.
    EXPECT_EQ(button("Command25")->width(), px(1320 + 1215));
    EXPECT_EQ(button("Command31")->geometry().topLeft() - button("Command16")->geometry().topLeft(),
              QPoint(px(1320), px(2 * 480)));
}

} // namespace
} // namespace brassbell::testing
