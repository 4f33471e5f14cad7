// Brassbell for Linux typing into a game console that runs under Wine: the console link through
// WineBridgeWindowSystem and the real brassbell-winbridge.exe, checked on the bytes the fake game
// console executed. scripts/test-winebridge runs it with BRASSBELL_WIN_BIN naming the cross
// build's bin folder and a Wine prefix whose server is already up; without them it is skipped.
#include "../ChatTexts.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/wine/ChildProcess.h"
#include "console/wine/WineBridgeWindowSystem.h"

#include "../TempFile.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <ranges>
#include <string>
#include <thread>
#include <vector>

namespace brassbell {
namespace {

using test::longChat;
using test::longChatLines;

using namespace std::chrono_literals;
using winbridge::ChildProcess;

// Wine on a busy machine; a passing run waits for none of these in full.
constexpr auto kWineStartLimit = 120s;
constexpr auto kLogLimit = 20s;

std::string winBin() {
    const char* folder = std::getenv("BRASSBELL_WIN_BIN");
    return folder == nullptr ? std::string() : std::string(folder) + "/";
}

std::chrono::milliseconds requestTimeout() {
    const char* value = std::getenv("BRASSBELL_WINE_TIMEOUT_MS");
    return std::chrono::milliseconds(value == nullptr ? 5000 : std::atol(value));
}

// The same file as Wine's programs name it: its Z: drive is the Linux root.
std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

// Reads the log until it holds `expected` or the limit passes; the game handles a posted Enter
// whenever its thread gets to it.
std::string logOnceItHolds(const TempFile& log, const std::string& expected) {
    const auto deadline = std::chrono::steady_clock::now() + kLogLimit;
    std::string bytes = log.bytes();
    while (bytes != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
        bytes = log.bytes();
    }
    return bytes;
}

// On ETQW every line is followed by the posted Enter, which the game handles in its own time;
// before the next line goes out it has, as the real pause gives it time to. Here the pause is
// noted and waits only until the ETQW log shows both Enters of every line.
class EtqwSettlingPause final : public Pause {
public:
    explicit EtqwSettlingPause(const TempFile& qwLog) : qwLog_(qwLog) {}
    void Sleep(std::chrono::milliseconds duration) override {
        recorded.Sleep(duration);
        settle();
    }
    void settle() const {
        const auto deadline = std::chrono::steady_clock::now() + kLogLimit;
        while (std::ranges::count(qwLog_.bytes(), '\n') % 2 != 0 &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
    }

    RecordingPause recorded;

private:
    const TempFile& qwLog_;
};

class WineEndToEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (winBin().empty())
            return;
        bridge_ = std::make_unique<WineBridgeWindowSystem>(winBin() + WineBridgeWindowSystem::kBridgeFileName,
                                                           std::nullopt, requestTimeout());
        bridge_->waitUntilReady(kWineStartLimit);
    }
    static void TearDownTestSuite() { bridge_.reset(); }

    void SetUp() override {
        if (winBin().empty())
            GTEST_SKIP() << "BRASSBELL_WIN_BIN is not set: run scripts/test-winebridge";
        ASSERT_TRUE(bridge_->ready()) << bridge_->lastFailure();
        link_ = std::make_unique<ConsoleLink>(*bridge_, pause_);
    }
    // A console ended by closing its input leaves no window behind for the next case to find.
    void TearDown() override { console_.stop(30s); }

    // Starts fake_game_console.exe of the Windows tests under Wine, with these options.
    void start(std::vector<std::string> options) {
        options.insert(options.begin(), {"wine", winBin() + "fake_game_console.exe"});
        std::string error;
        ASSERT_TRUE(console_.start(options, {}, error)) << error;
        std::string greeting;
        console_.readLine(greeting, ChildProcess::Clock::now() + kWineStartLimit);
        ASSERT_EQ(greeting.substr(0, 5), "ready");
    }

    static std::unique_ptr<WineBridgeWindowSystem> bridge_;
    TempFile et_{"wine-et"};
    TempFile qw_{"wine-qw"};
    TempFile decoy_{"wine-decoy"};
    ChildProcess console_;
    EtqwSettlingPause pause_{qw_};
    std::unique_ptr<ConsoleLink> link_;
};

std::unique_ptr<WineBridgeWindowSystem> WineEndToEndTest::bridge_;

TEST_F(WineEndToEndTest, WithBothConsolesOpenEtExecutesCommandsAndChatInTheirAnsiBytes) {
    start({"--et", windowsPath(et_.path()), "--qw", windowsPath(qw_.path())});

    EXPECT_TRUE(link_->fConsoleExists());
    link_->fSendCommand(u"rcon status");
    link_->fSay2All(u"caf\u00e9");
    link_->fSay2Team(u"cover me");
    link_->fSay2All(longChat());

    const std::string expected = "rcon status\nsay caf\xE9\nsay_team cover me\n" + longChatLines("say");
    EXPECT_EQ(logOnceItHolds(et_, expected), expected);
    EXPECT_EQ(qw_.bytes(), "");
    EXPECT_FALSE(link_->bIsQW());
    EXPECT_EQ(pause_.recorded.count(), 7u);
}

TEST_F(WineEndToEndTest, EtqwConsoleExecutesEveryLineFollowedByThePostedEnter) {
    start({"--qw", windowsPath(qw_.path()), "--qw-title", "ETQW 1.5 Console"});

    link_->fSendCommand(u"kick 3");
    pause_.settle();
    link_->fSay2All(u"gg \u00e9");
    link_->fSay2Team(longChat());

    const std::string expected = "kick 3\n\nsay gg \xE9\n\n" + longChatLines("sayTeam", "\n\n");
    EXPECT_EQ(logOnceItHolds(qw_, expected), expected);
    EXPECT_TRUE(link_->bIsQW());
}

TEST_F(WineEndToEndTest, WithNoConsoleNothingIsSentAnywhere) {
    // Titled like the ETQW console's class, but of another class: not a console.
    start({"--decoy", windowsPath(decoy_.path())});

    EXPECT_FALSE(link_->fConsoleExists());
    link_->fSendCommand(u"quit");
    link_->fSay2All(u"anyone?");

    EXPECT_TRUE(bridge_->ready());
    EXPECT_EQ(decoy_.bytes(), "");
    EXPECT_TRUE(link_->bIsQW());
    EXPECT_EQ(pause_.recorded.count(), 2u);
}

TEST_F(WineEndToEndTest, TheBridgeKilledMidSessionFindsNoConsoleUntilItIsStartedAgain) {
    start({"--et", windowsPath(et_.path())});
    link_->fSendCommand(u"before");

    ASSERT_EQ(::kill(bridge_->processId(), SIGKILL), 0);
    EXPECT_FALSE(link_->fConsoleExists());
    link_->fSendCommand(u"lost");
    ASSERT_TRUE(bridge_->waitUntilReady(kWineStartLimit)) << bridge_->lastFailure();
    EXPECT_TRUE(link_->fConsoleExists());
    link_->fSendCommand(u"after");

    EXPECT_EQ(logOnceItHolds(et_, "before\nafter\n"), "before\nafter\n");
}

} // namespace
} // namespace brassbell
