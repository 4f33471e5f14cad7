// The console link through the real user32 calls, typing into a game console that runs in a
// process of its own, checked on the bytes the console executed.
// The console link's headers come before <windows.h>, whose macros share their message names.
#include "../ChatTexts.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/win32/Win32WindowSystem.h"

#include "FakeConsoleProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace brassbell {
namespace {

using test::ascii;
using test::longChat;

using std::chrono::milliseconds;

// Where the program sleeps between chat pieces, the game gets time to work through its queue;
// here the pause is noted and the console is asked to catch up instead, so a posted Enter is
// handled where it would be in a real game and no test waits for real time.
class SettlingPause final : public Pause {
public:
    void Sleep(milliseconds duration) override {
        recorded.Sleep(duration);
        if (console != nullptr) {
            console->settle();
        }
    }

    RecordingPause recorded;
    FakeConsoleProcess* console = nullptr;
};

class ConsoleEndToEndTest : public ::testing::Test {
protected:
    void start(const std::vector<std::string>& arguments) {
        console_ = std::make_unique<FakeConsoleProcess>(arguments);
        pause_.console = console_.get();
    }

    // Lets the console handle what is still queued, then ends it; a clean end is exit code 0.
    void finish() {
        console_->settle();
        EXPECT_EQ(console_->finish(), 0u);
    }

    std::size_t pauses() const { return pause_.recorded.count(); }

    Win32WindowSystem windows_;
    SettlingPause pause_;
    ConsoleLink link_{windows_, pause_};
    std::unique_ptr<FakeConsoleProcess> console_;
};


// Seen from another process, only captions can be read: the input line and the log read empty,
// so the captioned button is where the walk ends, as in the game's console.
TEST_F(ConsoleEndToEndTest, ConsoleChildrenShowTheGamesOrderAndCaptionsToOtherProcesses) {
    TempLogFile et("children");
    start({"--et", et.path()});
    const Hwnd console = windows_.FindWindowA(nullptr, "ET Console");
    ASSERT_NE(console, 0u);

    std::vector<Hwnd> children;
    std::vector<std::string> texts;
    windows_.EnumChildWindows(
        console,
        [&](Hwnd child, std::int32_t) {
            char buffer[260];
            children.push_back(child);
            texts.emplace_back(buffer, static_cast<std::size_t>(windows_.GetWindowTextA(child, buffer, 260)));
            return 1;
        },
        0);
    EXPECT_EQ(texts, (std::vector<std::string>{"", "copy", ""}));
    ASSERT_FALSE(children.empty());
    EXPECT_EQ(windows_.FindWindowExA(console, 0, "Edit", nullptr), children.front());
    finish();
}

TEST_F(ConsoleEndToEndTest, EtConsoleExecutesEveryLineOnceInItsAnsiBytes) {
    TempLogFile et("et");
    start({"--et", et.path()});

    link_.fSendCommand(u"rcon status");
    link_.fSay2All(u"caf\u00e9 for \u20ac5");
    link_.fSay2Team(u"cover me");
    link_.fSendCommand(u"");
    finish();

    EXPECT_EQ(et.bytes(), "rcon status\n"
                          "say caf\xE9 for \x80"
                          "5\n"
                          "say_team cover me\n"
                          "\n");
    EXPECT_FALSE(link_.bIsQW());
    EXPECT_EQ(pause_.recorded.requested(), std::vector<milliseconds>(4, milliseconds(300)));
}

TEST_F(ConsoleEndToEndTest, LongChatReachesTheEtConsoleInPiecesOf139) {
    TempLogFile et("et-long");
    start({"--et", et.path()});
    const std::u16string text = longChat();

    link_.fSay2All(text);
    finish();

    EXPECT_EQ(et.bytes(), "say " + ascii(text.substr(0, 139)) + "\nsay " + ascii(text.substr(139)) + "\n");
    EXPECT_EQ(pauses(), 3u);
}

TEST_F(ConsoleEndToEndTest, EtqwConsoleGetsEveryLineWithTheSecondPostedEnter) {
    TempLogFile qw("qw");
    start({"--qw", qw.path(), "--qw-title", "ETQW 1.5 Console"});

    link_.fSendCommand(u"kick 3");
    console_->settle();
    link_.fSay2All(u"gg \u00e9");
    link_.fSay2Team(u"rush");
    finish();

    EXPECT_EQ(qw.bytes(), "kick 3\n\n"
                          "say gg \xE9\n\n"
                          "sayTeam rush\n\n");
    EXPECT_TRUE(link_.bIsQW());
    EXPECT_EQ(pauses(), 4u);
}

TEST_F(ConsoleEndToEndTest, LongChatReachesTheEtqwConsoleInPiecesEachWithTwoEnters) {
    TempLogFile qw("qw-long");
    start({"--qw", qw.path()});
    const std::u16string text = longChat();

    link_.fSay2Team(text);
    finish();

    EXPECT_EQ(qw.bytes(),
              "sayTeam " + ascii(text.substr(0, 139)) + "\n\nsayTeam " + ascii(text.substr(139)) + "\n\n");
    EXPECT_EQ(pauses(), 3u);
}

TEST_F(ConsoleEndToEndTest, WithBothConsolesOpenEverythingGoesToEt) {
    TempLogFile et("both-et");
    TempLogFile qw("both-qw");
    start({"--et", et.path(), "--qw", qw.path()});

    EXPECT_TRUE(link_.fConsoleExists());
    link_.fSendCommand(u"map_restart");
    link_.fSay2All(u"all");
    link_.fSay2Team(u"team");
    finish();

    EXPECT_EQ(et.bytes(), "map_restart\nsay all\nsay_team team\n");
    EXPECT_EQ(qw.bytes(), "");
    EXPECT_FALSE(link_.bIsQW());
}

TEST_F(ConsoleEndToEndTest, WithNoConsoleNothingIsTypedAnywhereAndChatStillPauses) {
    // Titled like the ETQW console's class, but of another class: not a console.
    TempLogFile decoy("decoy");
    start({"--decoy", decoy.path()});

    EXPECT_FALSE(link_.fConsoleExists());
    link_.fSendCommand(u"quit");
    link_.fSay2All(u"anyone?");
    link_.fSay2Team(longChat());
    finish();

    EXPECT_EQ(decoy.bytes(), "");
    EXPECT_TRUE(link_.bIsQW());
    EXPECT_EQ(pause_.recorded.requested(), std::vector<milliseconds>(5, milliseconds(300)));
}

TEST_F(ConsoleEndToEndTest, AConsoleClosedBetweenTwoSendsIsLookedUpAfreshAndMissed) {
    TempLogFile et("closed");
    start({"--et", et.path()});
    link_.fSendCommand(u"first");
    finish();
    pause_.console = nullptr;

    link_.fSendCommand(u"second");
    link_.fSay2All(u"third");

    EXPECT_EQ(et.bytes(), "first\n");
    EXPECT_FALSE(link_.fConsoleExists());
}

} // namespace
} // namespace brassbell
