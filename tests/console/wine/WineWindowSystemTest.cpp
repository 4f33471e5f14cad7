// WineWindowSystem's starts, failures and retries against tests/winbridge/FakeBridge.cpp.
#include "console/wine/WineWindowSystem.h"

#include "../TempFile.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/wine/BridgeProtocol.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <vector>

namespace brassbell::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Long enough for a busy machine to start a tiny native program, short enough for the tests.
constexpr auto kReadyLimit = 10s;

class WineWindowSystemTest : public ::testing::Test {
protected:
    // The fake bridge makes the ET console; waits between starts follow the hand-moved clock.
    WineWindowSystemOptions optionsWith(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {BRASSBELL_FAKE_BRIDGE, "--et", et_.path()});
        return {.bridgePath = BRASSBELL_FAKE_BRIDGE,
                .winePrefix = {},
                .requestTimeout = 300ms,
                .startTimeout = kReadyLimit,
                .retryDelay = 1s,
                .longestRetryDelay = 4s,
                .launcher = arguments,
                .clock = [this] { return now_; }};
    }

    Clock::time_point now_ = Clock::now();
    RecordingPause pause_;
    TempFile et_{"bridge-et"};
    TempFile requests_{"bridge-requests"};
};

TEST_F(WineWindowSystemTest, OnlyTheSevenCallsReachTheBridgeAndTextsComeBackCut) {
    WineWindowSystem windows(optionsWith({"--requests", requests_.path()}));
    ASSERT_TRUE(windows.waitUntilReady(kReadyLimit)) << windows.lastFailure();
    const Hwnd console = windows.FindWindowA(nullptr, "ET Console");
    ASSERT_NE(console, 0u);

    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(windows.GetWindowTextA(console, buffer, 4), 3);
    EXPECT_EQ(std::string(buffer), "ET ");
    EXPECT_EQ(windows.SendMessageA(console, 0x0010 /* WM_CLOSE */, 0, 0), 0);
    EXPECT_FALSE(windows.PostMessageA(console, 0x0010, 0, 0));
    EXPECT_FALSE(windows.PostMessageA(console, WM_SETTEXT, 0, 0));
    EXPECT_EQ(windows.SendMessageA(console, WM_CHAR, 13, std::intptr_t{1} << 40), 0);
    // Longer than any input line: nothing rather than a cut command.
    const std::string huge(winbridge::kMaxTextBytes + 1, 'a');
    EXPECT_EQ(windows.SendMessageA(console, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(huge.c_str())), 0);

    EXPECT_EQ(requests_.bytes(),
              winbridge::encodeFind(nullptr, "ET Console") + "\n" + winbridge::encodeText(console, 4) + "\n");
    EXPECT_NE(windows.FindWindowA(nullptr, "ET Console"), 0u);
}

// Enter after a refused line would run whatever the game's input line holds.
TEST_F(WineWindowSystemTest, ACommandTooLongForTheBridgeIsNeitherWrittenNorEntered) {
    WineWindowSystem windows(optionsWith({}));
    ASSERT_TRUE(windows.waitUntilReady(kReadyLimit)) << windows.lastFailure();
    ConsoleLink link(windows, pause_);
    link.fSendCommand(std::u16string(winbridge::kMaxTextBytes + 1, u'a'));
    link.fSendCommand(u"kick all");
    EXPECT_EQ(et_.bytes(), "kick all\n");
}

TEST_F(WineWindowSystemTest, ABridgeKilledMidSessionMeansNoConsoleThenALaterLookupBringsItBack) {
    WineWindowSystem windows(optionsWith({}));
    ConsoleLink link(windows, pause_);
    ASSERT_TRUE(windows.waitUntilReady(kReadyLimit)) << windows.lastFailure();
    link.fSendCommand(u"first");

    const int killed = windows.processId();
    ASSERT_EQ(::kill(killed, SIGKILL), 0);
    // Its end of the pipes is closed once it is a zombie, which WNOWAIT leaves for the link to reap.
    siginfo_t died;
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(killed), &died, WEXITED | WNOWAIT), 0);
    // Writing to the dead bridge must neither end Brassbell (SIGPIPE) nor find anything; the
    // check's second lookup starts a new bridge, and the lookup that starts one finds nothing.
    EXPECT_FALSE(link.fConsoleExists());
    EXPECT_EQ(windows.startAttempts(), 2);
    EXPECT_FALSE(windows.ready());

    ASSERT_TRUE(windows.waitUntilReady(kReadyLimit)) << windows.lastFailure();
    EXPECT_TRUE(link.fConsoleExists());
    link.fSendCommand(u"second");
    EXPECT_EQ(et_.bytes(), "first\nsecond\n");
}

// Whatever goes wrong, the chat is lost within one request's time out and no lookup waits for Wine.
TEST_F(WineWindowSystemTest, ABridgeThatIsMissingSilentOrDyingLosesTheChatWithinOneTimeOut) {
    // clang-format off
    struct { const char* name; std::vector<std::string> arguments; bool greets; bool timesOut; int starts; std::string failure; }
    const cases[] = { // the bridge's answers count from 0, its greeting
        {"NotSaidHelloYet", {"--hang-at", "0"}, false, false, 1, ""},
        // Instead of the answer to WM_SETTEXT, after FIND, FIND, CHILDREN and TEXT. The Enter that
        // follows must not start a new bridge: it would run whatever the game's input line holds.
        {"DiesBeforeTheLineGoesIn", {"--die-at", "5"}, true, false, 1, ""},
        {"StopsAnswering", {"--hang-at", "2"}, true, true, 2, "the bridge did not answer in time"},
        {"AnotherVersion", {"--greeting", "BRASSBELL-WINBRIDGE 2"}, false, false, 2,
         "the bridge speaks another protocol: BRASSBELL-WINBRIDGE 2"},
        {"NoWine", {}, false, false, 2, "cannot start /nonexistent/brassbell/wine"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WineWindowSystemOptions options = optionsWith(c.arguments);
        if (c.arguments.empty())
            options.launcher = {"/nonexistent/brassbell/wine"};
        WineWindowSystem windows(options);
        pause_.clear();
        ConsoleLink link(windows, pause_);
        // The bridge that never greets is only started.
        const auto limit = c.greets || !c.failure.empty() ? kReadyLimit : 0s;
        EXPECT_EQ(windows.waitUntilReady(limit), c.greets) << windows.lastFailure();
        const auto start = Clock::now();
        EXPECT_EQ(link.fConsoleExists(), c.greets);
        link.fSay2All(u"hello");
        EXPECT_LT(Clock::now() - start, 3s);
        EXPECT_GE(Clock::now() - start, c.timesOut ? 300ms : 0ms);
        EXPECT_EQ(windows.startAttempts(), c.starts);
        EXPECT_FALSE(windows.ready());
        EXPECT_NE(windows.lastFailure().find(c.failure), std::string::npos) << windows.lastFailure();
        EXPECT_EQ(pause_.count(), 2u);
        EXPECT_EQ(et_.bytes(), "");
    }
}

TEST_F(WineWindowSystemTest, FailedStartsAreRetriedAtOnceThenAfterDoublingWaitsUpToTheLongest) {
    WineWindowSystemOptions options = optionsWith({});
    options.bridgePath = et_.path() + ".missing.exe";
    WineWindowSystem windows(options);

    // Seconds on the hand-moved clock after which each lookup is made, and the starts so far.
    const std::vector<std::pair<int, int>> lookups = {{0, 1}, {0, 2}, {0, 2},  {1, 3},  {2, 3},  {3, 4},
                                                      {6, 4}, {7, 5}, {10, 5}, {11, 6}, {15, 7}, {19, 8}};
    const auto begin = now_;
    for (const auto& [second, attempts] : lookups) {
        now_ = begin + std::chrono::seconds(second);
        EXPECT_EQ(windows.FindWindowA(nullptr, "ET Console"), 0u);
        EXPECT_EQ(windows.startAttempts(), attempts) << "at second " << second;
    }
    EXPECT_EQ(windows.lastFailure(), "no bridge at " + options.bridgePath);
}

} // namespace
} // namespace brassbell::testing
