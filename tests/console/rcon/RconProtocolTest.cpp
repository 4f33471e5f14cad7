// The datagrams to and from a server's remote console, and how the user names the server.
#include "console/rcon/RconProtocol.h"
#include "FakeRconServer.h"
#include "console/rcon/ServerAddress.h"

#include <gtest/gtest.h>

#include <tuple>

namespace brassbell::testing {
namespace {

TEST(RconProtocolTest, ARequestIsBuiltOnlyWhenItFitsInOneDatagram) {
    const std::string longest(1012, 'x'); // 1024 - "\xFF\xFF\xFF\xFFrcon PW "
    EXPECT_EQ(maxCommandBytes("PW"), longest.size());
    EXPECT_EQ(rconRequest("PW", longest), outOfBand("rcon PW " + longest));
    EXPECT_EQ(rconRequest("PW", longest + "x"), std::nullopt);
    EXPECT_EQ(rconRequest(std::string(1014, 'p'), "")->size(), kMaxRequestBytes);
    // A password that leaves no room at all makes even the empty command too long.
    EXPECT_EQ(rconRequest(std::string(1015, 'p'), ""), std::nullopt);
    EXPECT_EQ(statusRequest(), outOfBand("getstatus"));
}

TEST(RconProtocolTest, OnlyPrintedTextAndStatusResponsesAreReplies) {
    using enum ServerReply::Kind;
    const std::tuple<std::string, ServerReply::Kind, std::string> replies[] = {
        {outOfBand("print\nhello\n"), Print, "hello\n"},
        {outOfBand("print\n"), Print, ""},
        {outOfBand("statusResponse\n\\sv_hostname\\x\n"), Status, "\\sv_hostname\\x\n"}};
    for (const auto& [datagram, kind, text] : replies) {
        const std::optional<ServerReply> reply = parseServerReply(datagram);
        ASSERT_TRUE(reply) << datagram;
        EXPECT_EQ(std::tie(reply->kind, reply->text), std::tie(kind, text));
    }
    for (const std::string& other :
         {std::string("print\nhello"), std::string("\xFF\xFF\xFFprint\nhello"),
          std::string("\xFF\xFF\xFF\xFEprint\nhello"), std::string("\xFF"), std::string(), outOfBand(""),
          outOfBand("print"), outOfBand("infoResponse\n\\x"), outOfBand("disconnect"),
          outOfBand("Print\nhello")})
        EXPECT_EQ(parseServerReply(other), std::nullopt) << other;
}

TEST(RconProtocolTest, OnlyARefusalThatIsTheWholeAnswerCountsAsOne) {
    using enum CommandVerdict;
    const std::pair<std::string, CommandVerdict> cases[] = {
        {"Bad rconpassword.", BadPassword},
        {"Bad rconpassword.\n", BadPassword},
        {"Bad rconpassword.\r\n", BadPassword},
        {"No rconpassword set on the server.\n", NoPasswordSet},
        {"No rconpassword set.\n", NoPasswordSet},
        {"broadcast: Bad rconpassword.\n", CarriedOut},
        {"Bad rconpassword.\nmap: oasago2\n", CarriedOut},
        {"", CarriedOut}};
    for (const auto& [printed, verdict] : cases)
        EXPECT_EQ(commandVerdict(printed), verdict) << printed;
}

TEST(RconProtocolTest, APasswordTheServerCouldNeverReadIsNamedAsSuch) {
    for (const char* usable : {"secret", "a/b", "!#$%&'()*+,-.:;<=>?@[\\]^_`{|}~"})
        EXPECT_EQ(passwordProblem(usable), "") << usable;
    for (const char* unusable : {"", "two words", "tab\t", "quo\"te", "a//b", "a/*b", "caf\xC3\xA9", "\x7F"})
        EXPECT_NE(passwordProblem(unusable), "") << unusable;
}

TEST(RconServerAddressTest, HostAndPortAreReadAsTheUserWritesThem) {
    // clang-format off
    struct { const char* text; std::string host; std::uint16_t port; std::string shown; } const good[] = {
        {"example.org", "example.org", 27960, "example.org:27960"},
        {"10.0.0.1:1", "10.0.0.1", 1, "10.0.0.1:1"},
        {"example.org:65535", "example.org", 65535, "example.org:65535"},
        {"[::1]:27961", "::1", 27961, "[::1]:27961"},
        {"[fe80::1]", "fe80::1", 27960, "[fe80::1]:27960"},
        {"fe80::1:2", "fe80::1:2", 27960, "[fe80::1:2]:27960"}};
    // clang-format on
    for (const auto& c : good) {
        SCOPED_TRACE(c.text);
        const ServerAddress address = parseServerAddress(c.text);
        EXPECT_EQ(std::tuple(address.error, address.host, address.port, address.text()),
                  std::tuple("", c.host, c.port, c.shown));
    }
    for (const char* bad :
         {"host:0", "host:65536", "host:99999999999", "host:abc", "host:12a", "host:-1", "host:", ":27960",
          "", "[]:27960", "[::1", "[::1]x", "[::1]:", "a::1[x]", "[a]b]"})
        EXPECT_NE(parseServerAddress(bad).error, "") << bad;
}

} // namespace
} // namespace brassbell::testing
