// The console link through the real user32 calls, typing into a game console that runs in a
// process of its own, checked on the bytes the console executed.
// The console link's headers come before <windows.h>, whose macros share their message names.
#include "../ChatTexts.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/win32/Win32WindowSystem.h"

#include "../TempFile.h"
#include "FakeConsoleProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace brassbell {
namespace {

using std::chrono::milliseconds;
using test::longChat;
using test::longChatLines;

// Where the program sleeps between chat pieces, the game gets time to work through its queue;
// here the pause is noted and the console is asked to catch up instead, so a posted Enter is
// handled where it would be in a real game and no test waits for real time.
class SettlingPause final : public Pause {
public:
    void Sleep(milliseconds duration) override {
        recorded.Sleep(duration);
        if (console != nullptr)
            console->settle();
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

    static std::vector<milliseconds> pauses(std::size_t n) { return std::vector(n, milliseconds(300)); }

    Win32WindowSystem windows_;
    SettlingPause pause_;
    ConsoleLink link_{windows_, pause_};
    std::unique_ptr<FakeConsoleProcess> console_;
};

// Seen from another process, only captions can be read: the input line and the log read empty,
// so the captioned button is where the walk ends, as in the game's console.
TEST_F(ConsoleEndToEndTest, ConsoleChildrenShowTheGamesOrderAndCaptionsToOtherProcesses) {
    TempFile et("children");
    start({"--et", et.path()});
    const Hwnd console = windows_.FindWindowA(nullptr, "ET Console");
    ASSERT_NE(console, 0u);

    std::vector<Hwnd> children;
    std::vector<std::string> texts;
    const auto note = [&](Hwnd child, std::int32_t) {
        char buffer[260];
        children.push_back(child);
        texts.emplace_back(buffer, static_cast<std::size_t>(windows_.GetWindowTextA(child, buffer, 260)));
        return 1;
    };
    windows_.EnumChildWindows(console, note, 0);
    EXPECT_EQ(texts, (std::vector<std::string>{"", "copy", ""}));
    ASSERT_FALSE(children.empty());
    EXPECT_EQ(windows_.FindWindowExA(console, 0, "Edit", nullptr), children.front());
    finish();
}

TEST_F(ConsoleEndToEndTest, WithBothConsolesOpenEtExecutesEveryLineInItsAnsiBytesAndLongChatInPiecesOf139) {
    TempFile et("et");
    TempFile qw("et-qw");
    start({"--et", et.path(), "--qw", qw.path()});

    EXPECT_TRUE(link_.fConsoleExists());
    link_.fSendCommand(u"rcon status");
    link_.fSay2All(u"caf\u00e9 for 5\u20ac");
    link_.fSay2Team(u"cover me");
    link_.fSendCommand(u"");
    link_.fSay2All(longChat());
    finish();

    EXPECT_EQ(et.bytes(), "rcon status\nsay caf\xE9 for 5\x80\nsay_team cover me\n\n" + longChatLines("say"));
    EXPECT_EQ(qw.bytes(), "");
    EXPECT_FALSE(link_.bIsQW());
    EXPECT_EQ(pause_.recorded.requested(), pauses(7));
}

TEST_F(ConsoleEndToEndTest, EtqwConsoleGetsEveryLineAndEveryChatPieceWithTheSecondPostedEnter) {
    TempFile qw("qw");
    start({"--qw", qw.path(), "--qw-title", "ETQW 1.5 Console"});

    link_.fSendCommand(u"kick 3");
    console_->settle();
    link_.fSay2All(u"gg \u00e9");
    link_.fSay2Team(u"rush");
    link_.fSay2Team(longChat());
    finish();

    EXPECT_EQ(qw.bytes(), "kick 3\n\nsay gg \xE9\n\nsayTeam rush\n\n" + longChatLines("sayTeam", "\n\n"));
    EXPECT_TRUE(link_.bIsQW());
    EXPECT_EQ(pause_.recorded.requested(), pauses(7));
}

TEST_F(ConsoleEndToEndTest, WithNoConsoleNothingIsTypedAnywhereAndChatStillPauses) {
    // Titled like the ETQW console's class, but of another class: not a console.
    TempFile decoy("decoy");
    start({"--decoy", decoy.path()});

    EXPECT_FALSE(link_.fConsoleExists());
    link_.fSendCommand(u"quit");
    link_.fSay2All(u"anyone?");
    link_.fSay2Team(longChat());
    finish();

    EXPECT_EQ(decoy.bytes(), "");
    EXPECT_TRUE(link_.bIsQW());
    EXPECT_EQ(pause_.recorded.requested(), pauses(5));
}

TEST_F(ConsoleEndToEndTest, AConsoleClosedBetweenTwoSendsIsLookedUpAfreshAndMissed) {
    TempFile et("closed");
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
