// Brassbell for Linux typing into a game console that runs under Wine: the console link through
// WineBridgeWindowSystem and the real brassbell-winbridge.exe, checked on the bytes the fake game
// console executed. scripts/test-winebridge runs it with BRASSBELL_WIN_BIN naming the cross
// build's bin folder and a Wine prefix whose server is already up; without them it is skipped.
#include "../ChatTexts.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/WineBridgeWindowSystem.h"
#include "console/winbridge/ChildProcess.h"

#include "TempFile.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace brassbell {
namespace {

using test::longChat;

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

std::size_t lineEnds(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
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

// fake_game_console.exe of the Windows tests, run under Wine in a process of its own.
class WineGameConsole {
public:
    explicit WineGameConsole(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{"wine", winBin() + "fake_game_console.exe"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::string error;
        if (!process_.start(argv, {}, error)) {
            throw std::runtime_error(error);
        }
        std::string greeting;
        const auto read = process_.readLine(greeting, ChildProcess::Clock::now() + kWineStartLimit);
        if (read != ChildProcess::Read::Line || greeting.substr(0, 5) != "ready") {
            throw std::runtime_error("fake_game_console did not get ready: \"" + greeting + "\"");
        }
    }
    ~WineGameConsole() { process_.stop(30s); }
    WineGameConsole(const WineGameConsole&) = delete;
    WineGameConsole& operator=(const WineGameConsole&) = delete;

private:
    ChildProcess process_;
};

// On ETQW every line is followed by the posted Enter, which the game handles in its own time;
// before the next line goes out it has, as the real pause gives it time to. Here the pause is
// noted and waits only until the log shows both Enters of every line.
class EtqwSettlingPause final : public Pause {
public:
    explicit EtqwSettlingPause(const TempFile* qwLog) : qwLog_(qwLog) {}
    void Sleep(std::chrono::milliseconds duration) override {
        recorded.Sleep(duration);
        settle();
    }
    void settle() const {
        if (qwLog_ == nullptr) {
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + kLogLimit;
        while (lineEnds(qwLog_->bytes()) % 2 != 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
    }

    RecordingPause recorded;

private:
    const TempFile* qwLog_;
};

class WineEndToEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (winBin().empty()) {
            return;
        }
        bridge_ = std::make_unique<WineBridgeWindowSystem>(winBin() + WineBridgeWindowSystem::kBridgeFileName,
                                                           std::nullopt, requestTimeout());
        bridge_->waitUntilReady(kWineStartLimit);
    }
    static void TearDownTestSuite() { bridge_.reset(); }

    void SetUp() override {
        if (winBin().empty()) {
            GTEST_SKIP() << "BRASSBELL_WIN_BIN is not set: run scripts/test-winebridge";
        }
        ASSERT_TRUE(bridge_->ready()) << bridge_->lastFailure();
    }

    static std::unique_ptr<WineBridgeWindowSystem> bridge_;
};

std::unique_ptr<WineBridgeWindowSystem> WineEndToEndTest::bridge_;

const std::string kLong = [] {
    const std::u16string text = longChat();
    return std::string(text.begin(), text.end());
}();

TEST_F(WineEndToEndTest, EtConsoleExecutesCommandsAndChatInTheirAnsiBytes) {
    TempFile et("wine-et");
    WineGameConsole console({"--et", windowsPath(et.path())});
    EtqwSettlingPause pause(nullptr);
    ConsoleLink link(*bridge_, pause);

    EXPECT_TRUE(link.fConsoleExists());
    link.fSendCommand(u"rcon status");
    link.fSay2All(u"caf\u00e9");
    link.fSay2Team(u"cover me");
    link.fSay2All(longChat());

    EXPECT_EQ(logOnceItHolds(et, "rcon status\nsay caf\xE9\nsay_team cover me\nsay " + kLong.substr(0, 139) +
                                     "\nsay " + kLong.substr(139) + "\n"),
              "rcon status\nsay caf\xE9\nsay_team cover me\nsay " + kLong.substr(0, 139) + "\nsay " +
                  kLong.substr(139) + "\n");
    EXPECT_FALSE(link.bIsQW());
    EXPECT_EQ(pause.recorded.count(), 7u);
}

TEST_F(WineEndToEndTest, EtqwConsoleExecutesEveryLineFollowedByThePostedEnter) {
    TempFile qw("wine-qw");
    WineGameConsole console({"--qw", windowsPath(qw.path()), "--qw-title", "ETQW 1.5 Console"});
    EtqwSettlingPause pause(&qw);
    ConsoleLink link(*bridge_, pause);

    link.fSendCommand(u"kick 3");
    pause.settle();
    link.fSay2All(u"gg \u00e9");
    link.fSay2Team(longChat());

    const std::string expected = "kick 3\n\nsay gg \xE9\n\nsayTeam " + kLong.substr(0, 139) + "\n\nsayTeam " +
                                 kLong.substr(139) + "\n\n";
    EXPECT_EQ(logOnceItHolds(qw, expected), expected);
    EXPECT_TRUE(link.bIsQW());
}

TEST_F(WineEndToEndTest, WithBothConsolesOpenEverythingGoesToEt) {
    TempFile et("wine-both-et");
    TempFile qw("wine-both-qw");
    WineGameConsole console({"--et", windowsPath(et.path()), "--qw", windowsPath(qw.path())});
    EtqwSettlingPause pause(nullptr);
    ConsoleLink link(*bridge_, pause);

    link.fSendCommand(u"map_restart");
    link.fSay2All(u"all");
    link.fSay2Team(u"team");

    EXPECT_EQ(logOnceItHolds(et, "map_restart\nsay all\nsay_team team\n"), "map_restart\nsay all\nsay_team team\n");
    EXPECT_EQ(qw.bytes(), "");
    EXPECT_FALSE(link.bIsQW());
}

TEST_F(WineEndToEndTest, WithNoConsoleNothingIsSentAnywhere) {
    // Titled like the ETQW console's class, but of another class: not a console.
    TempFile decoy("wine-decoy");
    WineGameConsole console({"--decoy", windowsPath(decoy.path())});
    EtqwSettlingPause pause(nullptr);
    ConsoleLink link(*bridge_, pause);

    EXPECT_FALSE(link.fConsoleExists());
    link.fSendCommand(u"quit");
    link.fSay2All(u"anyone?");

    EXPECT_TRUE(bridge_->ready());
    EXPECT_EQ(decoy.bytes(), "");
    EXPECT_TRUE(link.bIsQW());
    EXPECT_EQ(pause.recorded.count(), 2u);
}

TEST_F(WineEndToEndTest, TheBridgeKilledMidSessionFindsNoConsoleUntilItIsStartedAgain) {
    TempFile et("wine-killed");
    WineGameConsole console({"--et", windowsPath(et.path())});
    EtqwSettlingPause pause(nullptr);
    ConsoleLink link(*bridge_, pause);
    link.fSendCommand(u"before");

    ASSERT_EQ(::kill(bridge_->processId(), SIGKILL), 0);
    EXPECT_FALSE(link.fConsoleExists());
    link.fSendCommand(u"lost");
    ASSERT_TRUE(bridge_->waitUntilReady(kWineStartLimit)) << bridge_->lastFailure();
    EXPECT_TRUE(link.fConsoleExists());
    link.fSendCommand(u"after");

    EXPECT_EQ(logOnceItHolds(et, "before\nafter\n"), "before\nafter\n");
}

} // namespace
} // namespace brassbell
