// The console link reaching a server of our own as it reaches the ET console.
#include "console/rcon/RconWindowSystem.h"
#include "FakeRconServer.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/rcon/RconSender.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

const RconTimings kTimings{.interval = 40ms, .replyTimeout = 300ms, .quietTime = 30ms, .longestAnswer = 1s};

class RconWindowSystemTest : public ::testing::Test {
protected:
    FakeRconServer server{answering()};
    RconSender sender{server.peer(), "PW", kTimings, {}};
    std::vector<std::pair<std::string, std::string>> refused;
    int queued = 0;
    RconWindowSystem windows{
        sender, [this](const std::string& line, const std::string& why) { refused.emplace_back(line, why); },
        [this] { ++queued; }};
    RecordingPause pause;
    ConsoleLink link{windows, pause};

    bool serverGot(const std::string& command) {
        return eventually([&] { return server.requests().back() == outOfBand("rcon PW " + command); });
    }
};

TEST_F(RconWindowSystemTest, TheServerIsTheEtConsoleWhileItAnswers) {
    EXPECT_FALSE(link.fConsoleExists()); // not asked yet
    ASSERT_TRUE(sender.checkServer());
    EXPECT_TRUE(link.fConsoleExists());
    EXPECT_FALSE(link.bIsQW());
    server.stop();
    std::this_thread::sleep_for(kTimings.interval);
    EXPECT_FALSE(sender.checkServer());
    EXPECT_FALSE(link.fConsoleExists());
    EXPECT_EQ(windows.FindWindowA("ETQW WinConsole", nullptr), 0u);
}

TEST_F(RconWindowSystemTest, LinesReachTheServerAsRconCommandsUnlessItCannotTakeThemWhole) {
    ASSERT_TRUE(sender.checkServer());
    const std::string longest(sender.longestCommand(), 'x');
    for (const std::string& line : {longest + "x", std::string("kick 1\nquit"), std::string("a\rb")}) {
        SCOPED_TRACE(line.substr(0, 20));
        refused.clear();
        link.fSendCommand(std::u16string(line.begin(), line.end()));
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_EQ(refused[0].first, line);
        EXPECT_NE(refused[0].second, "");
        EXPECT_EQ(windows.SendMessageA(RconWindowSystem::kInputLine, WM_SETTEXT, 0,
                                       reinterpret_cast<std::intptr_t>(line.c_str())),
                  0);
        EXPECT_EQ(queued, 0);
    }
    link.fSendCommand(std::u16string(longest.begin(), longest.end()));
    EXPECT_TRUE(serverGot(longest)); // the longest line still goes, whole
    EXPECT_EQ(server.requests().back().size(), kMaxRequestBytes);
    link.fSay2All(u"hello");
    EXPECT_TRUE(serverGot("say hello"));
    EXPECT_EQ(queued, 2);
}

} // namespace
} // namespace brassbell::testing
