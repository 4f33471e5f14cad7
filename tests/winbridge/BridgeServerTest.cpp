#include "winbridge/BridgeServer.h"
#include "console/SimulatedDesktop.h"
#include "console/wine/BridgeProtocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell::testing {
namespace {

using namespace winbridge;
using Message = SimulatedDesktop::Message;

class BridgeServerTest : public ::testing::Test {
protected:
    // What serve() writes for `input` read `chunk` bytes at a time, listened to for `listened` lines.
    std::string served(const std::string& input, std::size_t chunk, int listened = 100) {
        std::size_t position = 0;
        std::string output;
        const auto read = [&](char* buffer, std::size_t capacity) {
            const std::size_t n = input.copy(buffer, std::min(chunk, capacity), position);
            return (position += n, n);
        };
        serve(
            read, [&](std::string_view line) { return (output += line, --listened > 0); }, desktop);
        return output;
    }

    SimulatedDesktop desktop;
    const SimulatedDesktop::GameConsole et = desktop.createEtConsole();
    const SimulatedDesktop::GameConsole qw = desktop.createEtqwConsole("ETQW 1.5");
};

TEST_F(BridgeServerTest, EachRequestIsAnsweredByItsCall) {
    std::string line = "say ";
    for (int b = 1; b < 256; ++b)
        line += static_cast<char>(b);
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {encodeFind(nullptr, "ET Console"), answerNumber(et.window)},
        {encodeFind("ETQW WinConsole", nullptr), answerNumber(qw.window)},
        {encodeFind("ETQW WinConsole", ""), answerNumber(0)},
        {encodeFindEx(qw.window, qw.input, "Edit", nullptr), answerNumber(qw.log)},
        {encodeChildren(et.window), answerHandles({et.input, et.button, et.log})},
        {encodeText(et.button, 260), answerBytes("copy")}, {encodeText(et.window, 4), answerBytes("ET ")},
        {encodeText(0xDEAD, 260), answerBytes("")}, {encodeSetText(qw.input, line), answerNumber(1)},
        {encodeSendChar(qw.input, 13, 1), answerNumber(0)}, {encodePostChar(0xDEAD, 13, 1), answerNumber(0)},
        {encodePostChar(qw.input, 13, 0x1C0001), answerNumber(1)}};
    // clang-format on
    for (const auto& [request, answer] : cases)
        EXPECT_EQ(answerRequest(request, desktop), answer) << request;
    // The line went in byte for byte; the posted Enter waits for the game's own thread.
    EXPECT_EQ(desktop.executedLineTexts(), std::vector<std::string>{line});
    EXPECT_EQ(desktop.postedMessages(qw.input), (std::vector<Message>{{WM_CHAR, 13, 0x1C0001, ""}}));
}

TEST_F(BridgeServerTest, ServesTheGreetingThenOneAnswerPerLineHoweverTheInputIsCutUntilNobodyListens) {
    const std::string greeting = std::string(kGreeting) + "\n";
    const std::string find = encodeFind(nullptr, "ET Console");
    const std::string found = answerNumber(et.window) + "\n";
    const std::string longest(kMaxLineBytes, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"", greeting},
        {find + "\r\nNOPE\n\n" + find + "\n", greeting + found + "ERR unknown\nERR malformed\n" + found},
        // One byte more than the longest line is refused unread, and the next request still served.
        {longest + "\n" + longest + "x\n" + find + "\n", greeting + "ERR unknown\nERR toolong\n" + found},
        {encodeSetText(et.input, "quit"), greeting + "ERR truncated\n"}};
    for (const auto& [input, output] : cases)
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}})
            EXPECT_EQ(served(input, chunk), output) << chunk;
    // Nobody listens after the third line: the bridge stops rather than serve the rest.
    EXPECT_EQ(served("\n\n\n\n\n", 1, 3), greeting + "ERR malformed\nERR malformed\n");
    EXPECT_TRUE(desktop.sentMessages(et.input).empty());
}

} // namespace
} // namespace brassbell::testing
