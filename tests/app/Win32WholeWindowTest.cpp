// The whole window on Windows' own window system: its buttons reach the fake game console, a
// process of its own, through user32 as they reach the game.
#include "../console/win32/FakeGameConsoleProcess.h"
#include "ScriptedDialogs.h"
#include "TempRulesDb.h"
#include "app/MainWindow.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "messages/SpeakTab.h"
#include "store/Store.h"
#include "uikit/AppContext.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <windows.h>

namespace brassbell::testing {
namespace {

class Win32WholeWindowTest : public ::testing::Test {
protected:
    QPushButton* pauseButton() const { return form.findChild<QPushButton*>("Command46"); }

    TempRulesDb db;
    Store store{db.path()};
    Win32WindowSystem windows;
    RecordingPause pause;
    ConsoleLink console{windows, pause};
    ScriptedDialogs dialogs;
    AppContext app{console, store, dialogs};
    MainWindow form{app};
};

TEST_F(Win32WholeWindowTest, PauseOnTheCommandsTabIsExecutedByTheEtConsole) {
    FakeGameConsoleProcess game;
    game.open();
    ASSERT_TRUE(form.load(QString()));
    QTest::mouseClick(pauseButton(), Qt::LeftButton);
    EXPECT_EQ(game.executed(Console::Et, "pause\n"), "pause\n");
}

TEST_F(Win32WholeWindowTest, TeamChatReachesTheEtqwConsoleAsSayTeamWithThePostedEnter) {
    FakeGameConsoleProcess game{Console::Et};
    game.open();
    ASSERT_TRUE(form.load(QString()));
    form.speakTab->Text1->setText(QString::fromUtf8("hold the bridge, Łukasz"));
    QTest::mouseClick(form.speakTab->cSpeak2TeamMan, Qt::LeftButton);
    // A western code page has no "Ł"; a system set to the UTF-8 code page has every letter.
    const std::string expected = GetACP() == CP_UTF8 ? "sayTeam hold the bridge, \xC5\x81ukasz\n\n"
                                                     : "sayTeam hold the bridge, ?ukasz\n\n";
    EXPECT_EQ(game.executed(Console::Etqw, expected), expected);
}

TEST_F(Win32WholeWindowTest, ConsoleButtonsFollowTheConsoleAsItComesAndGoes) {
    ASSERT_TRUE(form.load(QString()));
    EXPECT_FALSE(pauseButton()->isEnabled());
    FakeGameConsoleProcess game;
    game.open();
    form.checkConsole();
    EXPECT_TRUE(pauseButton()->isEnabled());
    game.close();
    form.checkConsole();
    EXPECT_FALSE(pauseButton()->isEnabled());
}

} // namespace
} // namespace brassbell::testing
