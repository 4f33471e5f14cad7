// The paced sender against a server of our own: what reaches the server and when, and what is
// made of its answers, its silence and its absence.
#include "console/rcon/RconSender.h"
#include "FakeRconServer.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

using Outcome = RconSender::Reply::Outcome;
using namespace std::string_literals;

const RconTimings kTimings{.interval = 80ms, .replyTimeout = 300ms, .quietTime = 30ms, .longestAnswer = 2s};

std::string rcon(const std::string& command) {
    return outOfBand("rcon PW " + command);
}

// What the sender hands back on its thread.
struct Replies {
    std::mutex mutex;
    std::vector<RconSender::Reply> list;
    RconSender::ReplySink sink() {
        return [this](const RconSender::Reply& reply) {
            const std::lock_guard lock(mutex);
            list.push_back(reply);
        };
    }
    std::vector<RconSender::Reply> wait(std::size_t count) {
        eventually([&] {
            const std::lock_guard lock(mutex);
            return list.size() >= count;
        });
        const std::lock_guard lock(mutex);
        return list;
    }
};

TEST(RconSenderTest, LinesReachTheServerInOrderAndNeverCloserThanTheInterval) {
    FakeRconServer server(answering());
    Replies replies;
    RconSender sender(server.peer(), "PW", kTimings, replies.sink());
    for (const char* line : {"one", "two", "three", "four"})
        sender.send(line);
    ASSERT_EQ(replies.wait(4).size(), 4u);
    EXPECT_EQ(server.requests(), (std::vector{rcon("one"), rcon("two"), rcon("three"), rcon("four")}));
    const auto arrivals = server.arrivals();
    // The fake notes an arrival when it wakes, which may be a little late for the earlier one.
    for (std::size_t i = 1; i < arrivals.size(); ++i)
        EXPECT_GE(arrivals[i].at - arrivals[i - 1].at, kTimings.interval - 15ms) << i;
}

TEST(RconSenderTest, AnAnswerIsAllItsPrintedDatagramsAndTheirVerdict) {
    const std::string most(65507 - 10, 'x'); // the largest UDP datagram over IPv4, less the header
    // clang-format off
    struct { const char* name; std::vector<std::string> answer; Outcome outcome; std::string text; } const cases[] = {
        {"Joined", {outOfBand("print\none "), outOfBand("print\ntwo\n")}, Outcome::CarriedOut, "one two\n"},
        {"BadPassword", {outOfBand("print\nBad rconpassword.\n")}, Outcome::BadPassword, "Bad rconpassword.\n"},
        {"NoPassword", {outOfBand("print\nNo rconpassword set on the server.\n")}, Outcome::NoPasswordSet,
         "No rconpassword set on the server.\n"},
        {"Garbage", {"print\nx", "\xFF\xFF\xFFprint\nx", outOfBand("statusResponse\n")}, Outcome::NoAnswer, ""},
        {"GarbageBetween", {outOfBand("print\na"), "junk", outOfBand("print\nb")}, Outcome::CarriedOut, "ab"},
        {"Silent", {}, Outcome::NoAnswer, ""},
        {"KeptUpToTheLimit", std::vector(5, outOfBand("print\n" + most)), Outcome::CarriedOut,
         std::string(PrintedAnswer::kLongestKept, 'x')}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRconServer server([&c](const std::string&) { return c.answer; });
        Replies replies;
        RconSender sender(server.peer(), "PW", kTimings, replies.sink());
        sender.send("status");
        const std::vector<RconSender::Reply> got = replies.wait(1);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].command, "status");
        EXPECT_EQ(got[0].outcome, c.outcome);
        EXPECT_EQ(got[0].text.size(), c.text.size());
        EXPECT_TRUE(got[0].text == c.text);
    }
}

TEST(RconSenderTest, ALateAnswerToTheLastCommandIsNotTakenForTheNext) {
    FakeRconServer server([](const std::string& request) -> std::vector<std::string> {
        if (request == rcon("slow"))
            std::this_thread::sleep_for(kTimings.replyTimeout + 50ms);
        return {outOfBand("print\nto " + request.substr(12))};
    });
    Replies replies;
    RconSender sender(server.peer(), "PW", kTimings, replies.sink());
    sender.send("slow");
    ASSERT_EQ(replies.wait(1).back().outcome, Outcome::NoAnswer);
    std::this_thread::sleep_for(150ms); // the late answer is now waiting to be read
    sender.send("fast");
    EXPECT_EQ(replies.wait(2).back().text, "to fast");
}

TEST(RconSenderTest, TheServerIsThereOnlyWhenItAnswersTheStatusQuery) {
    FakeRconServer silentServer(silent);
    FakeRconServer printing([](const std::string&) { return std::vector{outOfBand("print\nok"), "junk"s}; });
    const std::uint16_t closedPort = FakeRconServer(silent).port();
    std::string error;
    std::unique_ptr<UdpPeer> peers[] = {silentServer.peer(), printing.peer(),
                                        UdpPeer::connectTo("127.0.0.1", closedPort, error)};
    for (auto& peer : peers) {
        RconSender sender(std::move(peer), "PW", kTimings, {});
        EXPECT_FALSE(sender.checkServer());
        EXPECT_FALSE(sender.serverAnswers());
    }
    EXPECT_EQ(silentServer.requests(), std::vector{statusRequest()});
}

TEST(RconSenderTest, ACheckRightAfterAnAnswerAsksNothingAndALaterOneAsksTheServer) {
    FakeRconServer server(answering());
    Replies replies;
    RconSender sender(server.peer(), "PW", kTimings, replies.sink());
    sender.send("one");
    replies.wait(1);
    EXPECT_TRUE(sender.checkServer());
    EXPECT_EQ(server.requests(), std::vector{rcon("one")});
    std::this_thread::sleep_for(kTimings.interval);
    EXPECT_TRUE(sender.checkServer());
    EXPECT_EQ(server.requests(), (std::vector{rcon("one"), statusRequest()}));
}

TEST(RconSenderTest, ALostAnswerLeavesTheServerThereUntilAStatusQueryFindsItGone) {
    std::atomic<bool> gone = false;
    FakeRconServer server([&gone](const std::string& request) {
        return gone || request == rcon("lost") ? std::vector<std::string>{} : answering()(request);
    });
    Replies replies;
    RconSender sender(server.peer(), "PW", kTimings, replies.sink());
    ASSERT_TRUE(sender.checkServer());
    sender.send("lost");
    EXPECT_EQ(replies.wait(1).back().outcome, Outcome::NoAnswer);
    EXPECT_TRUE(sender.serverAnswers());
    EXPECT_TRUE(sender.checkServer());
    // Gone with lines queued: the check asks before the queue goes on, not after.
    std::this_thread::sleep_for(kTimings.interval);
    gone = true;
    for (int line = 0; line < 4; ++line)
        sender.send("queued");
    EXPECT_FALSE(sender.checkServer());
    EXPECT_GT(sender.waiting(), 0u);
}

TEST(RconSenderTest, WhatIsStillQueuedAtTheEndIsSentWhileTheServerAnswers) {
    FakeRconServer server(answering());
    {
        RconSender sender(server.peer(), "PW", kTimings, {});
        ASSERT_TRUE(sender.checkServer());
        for (const char* line : {"one", "two", "three"})
            sender.send(line);
    }
    EXPECT_EQ(server.requests(), (std::vector{statusRequest(), rcon("one"), rcon("two"), rcon("three")}));
}

} // namespace
} // namespace brassbell::testing
