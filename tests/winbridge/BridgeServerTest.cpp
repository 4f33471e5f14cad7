// The bridge's request handling, natively, over a simulated desktop that notes every call made.
#include "winbridge/BridgeServer.h"
#include "console/SimulatedDesktop.h"
#include "console/wine/BridgeProtocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell::winbridge {
namespace {

// Passes every call on to the desktop after noting it.
class NotingWindows final : public WindowSystem {
public:
    explicit NotingWindows(SimulatedDesktop& desktop) : desktop_(desktop) {}

    Hwnd FindWindowA(const char* c, const char* w) override {
        return note("FindWindowA " + shown(c) + " " + shown(w)).FindWindowA(c, w);
    }
    Hwnd FindWindowExA(Hwnd p, Hwnd a, const char* c, const char* w) override {
        return note("FindWindowExA " + shown(c) + " " + shown(w)).FindWindowExA(p, a, c, w);
    }
    bool EnumChildWindows(Hwnd p, const EnumChildProc& f, std::int32_t l) override {
        return note("EnumChildWindows").EnumChildWindows(p, f, l);
    }
    int GetWindowTextA(Hwnd h, char* s, int n) override {
        return note("GetWindowTextA " + std::to_string(n)).GetWindowTextA(h, s, n);
    }
    std::intptr_t SendMessageA(Hwnd h, std::uint32_t m, std::uintptr_t w, std::intptr_t l) override {
        return note("SendMessageA " + std::to_string(m)).SendMessageA(h, m, w, l);
    }
    bool PostMessageA(Hwnd h, std::uint32_t m, std::uintptr_t w, std::intptr_t l) override {
        return note("PostMessageA " + std::to_string(m)).PostMessageA(h, m, w, l);
    }

    std::vector<std::string> calls;

private:
    SimulatedDesktop& note(std::string call) {
        calls.push_back(std::move(call));
        return desktop_;
    }
    static std::string shown(const char* text) { return text ? "'" + std::string(text) + "'" : "null"; }
    SimulatedDesktop& desktop_;
};

class BridgeServerTest : public ::testing::Test {
protected:
    std::string ask(const std::string& request) { return answerRequest(request, windows_); }
    std::string handle(Hwnd h) { return answerNumber(h); }

    // Runs serve() on `input`, handed over `chunk` bytes at a time; returns what it wrote.
    std::string served(const std::string& input, std::size_t chunk) {
        std::size_t position = 0;
        std::string output;
        serve(
            [&](char* buffer, std::size_t capacity) {
                const std::size_t n = std::min({chunk, capacity, input.size() - position});
                input.copy(buffer, n, position);
                position += n;
                return n;
            },
            [&](std::string_view line) {
                output += line;
                return true;
            },
            windows_);
        return output;
    }

    SimulatedDesktop desktop_;
    NotingWindows windows_{desktop_};
};

TEST_F(BridgeServerTest, LookupsFindTheConsolesAsTheirCallsWould) {
    const auto et = desktop_.createEtConsole();
    const auto qw = desktop_.createEtqwConsole("ETQW 1.5");

    EXPECT_EQ(ask(encodeFind(nullptr, "ET Console")), handle(et.window));
    EXPECT_EQ(ask(encodeFind("ETQW WinConsole", nullptr)), handle(qw.window));
    EXPECT_EQ(ask(encodeFind("ETQW WinConsole", "")), handle(0));
    EXPECT_EQ(ask(encodeFindEx(qw.window, 0, "Edit", nullptr)), handle(qw.input));
    EXPECT_EQ(ask(encodeChildren(et.window)), answerHandles({et.input, et.button, et.log}));
    EXPECT_EQ(ask(encodeText(et.button, 260)), answerBytes(desktop_.caption(et.button)));
    EXPECT_EQ(ask(encodeText(et.window, 4)), answerBytes("ET "));
    EXPECT_EQ(ask(encodeText(0xDEAD, 260)), answerBytes(""));
    EXPECT_EQ(windows_.calls,
              (std::vector<std::string>{"FindWindowA null 'ET Console'", "FindWindowA 'ETQW WinConsole' null",
                                        "FindWindowA 'ETQW WinConsole' ''", "FindWindowExA 'Edit' null",
                                        "EnumChildWindows", "GetWindowTextA 260", "GetWindowTextA 4",
                                        "GetWindowTextA 260"}));
}

TEST_F(BridgeServerTest, TheInputLineExecutesExactlyTheBytesSentAndThePostedEnterWaitsForTheGame) {
    const auto qw = desktop_.createEtqwConsole();
    std::string line = "say ";
    for (int b = 1; b < 256; ++b)
        line += static_cast<char>(b);

    EXPECT_EQ(ask(encodeSetText(qw.input, line)), answerNumber(1));
    ask(encodeSendChar(qw.input, 13, 1));
    EXPECT_EQ(ask(encodePostChar(qw.input, 13, 0x1C0001)), answerNumber(1));
    EXPECT_EQ(desktop_.executedLineTexts(), std::vector<std::string>{line});
    ASSERT_EQ(desktop_.postedMessages(qw.input).size(), 1u);
    EXPECT_EQ(desktop_.postedMessages(qw.input)[0].lParam, 0x1C0001);
    EXPECT_EQ(desktop_.pump(), 1u);
    EXPECT_EQ(desktop_.executedLineTexts(), (std::vector<std::string>{line, ""}));
}

TEST_F(BridgeServerTest, ARefusedRequestMakesNoCallAtAll) {
    desktop_.createEtConsole();
    for (const char* request : {"", "FIND", "FIND =00 -", "SETTEXT 1 -", "SENDCHAR 1 13", "POSTCHAR 1 x 1",
                                "TEXT 1 0", "CLOSE 1", "CHILDREN 1 2", "SETTEXT 65552 =41 "})
        EXPECT_TRUE(ask(request).starts_with("ERR ")) << request;
    EXPECT_TRUE(windows_.calls.empty());
    EXPECT_TRUE(desktop_.executedLines().empty());
}

TEST_F(BridgeServerTest, ServesOneAnswerPerRequestInOrderAfterTheGreetingHoweverTheInputIsCut) {
    const auto et = desktop_.createEtConsole();
    const std::string input =
        encodeFind(nullptr, "ET Console") + "\nNOPE\r\n\n" + encodeChildren(et.window) + "\n";
    const std::string expected = std::string(kGreeting) + "\n" + handle(et.window) +
                                 "\nERR unknown\nERR malformed\n" +
                                 answerHandles({et.input, et.button, et.log}) + "\n";
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, input.size()})
        EXPECT_EQ(served(input, chunk), expected) << chunk;
}

TEST_F(BridgeServerTest, AnOversizedRequestIsRefusedUnreadAndTheNextOneStillServed) {
    const auto et = desktop_.createEtConsole();
    const std::string huge = encodeSetText(et.input, std::string(kMaxLineBytes, 'a'));
    const std::string output = served(huge + "\n" + encodeFind(nullptr, "ET Console") + "\n", 4096);
    EXPECT_EQ(output, std::string(kGreeting) + "\nERR toolong\n" + handle(et.window) + "\n");
    EXPECT_EQ(desktop_.content(et.input), "");
}

TEST_F(BridgeServerTest, EndsCleanlyAtTheEndOfInputAndAnswersAnUnfinishedLastRequestAsTruncated) {
    const auto et = desktop_.createEtConsole();
    EXPECT_EQ(served("", 10), std::string(kGreeting) + "\n");
    EXPECT_EQ(served(encodeSetText(et.input, "quit"), 10), std::string(kGreeting) + "\nERR truncated\n");
    EXPECT_EQ(desktop_.content(et.input), "");
    EXPECT_TRUE(windows_.calls.empty());
}

TEST_F(BridgeServerTest, StopsWhenNobodyReadsTheAnswersAnyMore) {
    int reads = 0;
    int writes = 0;
    serve(
        [&](char* buffer, std::size_t) {
            ++reads;
            buffer[0] = '\n';
            return std::size_t{1};
        },
        [&](std::string_view) { return ++writes < 3; }, windows_);
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(reads, 2);
}

} // namespace
} // namespace brassbell::winbridge
