#include "console/winbridge/BridgeProtocol.h"

#include <gtest/gtest.h>

#include <string>

namespace brassbell::winbridge {
namespace {

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(BridgeBytes, EveryByteValueSurvivesTheRoundTripAndTheLineHoldsNoControlCharacter) {
    const std::string bytes = everyByte() + everyByte();
    const std::string token = encodeBytes(bytes);
    EXPECT_EQ(token.find_first_not_of("=0123456789abcdef"), std::string::npos);
    const auto decoded = decodeBytes(token);
    ASSERT_TRUE(decoded && *decoded);
    EXPECT_EQ(**decoded, bytes);
}

TEST(BridgeBytes, NullAndEmptyStayApart) {
    EXPECT_EQ(encodeBytes(static_cast<const char*>(nullptr)), "-");
    EXPECT_EQ(encodeBytes(""), "=");
    EXPECT_EQ(decodeBytes("-"), std::optional<std::optional<std::string>>(std::optional<std::string>()));
    EXPECT_EQ(decodeBytes("="), std::optional<std::optional<std::string>>(std::string()));
}

TEST(BridgeBytes, BrokenTokensAreRefused) {
    for (const char* token : {"", "=4", "=4g", "=4A", "455420", "--", "=-", "= 45"}) {
        EXPECT_FALSE(decodeBytes(token)) << token;
    }
}

// Every request Brassbell encodes is read back by the bridge as the same call.
TEST(BridgeRequests, EncodedRequestsParseBackToTheirCall) {
    const auto parsed = [](const std::string& line) {
        auto result = parseRequest(line);
        EXPECT_TRUE(result.request) << line;
        return result.request.value_or(Request{});
    };

    Request find = parsed(encodeFind(nullptr, "ET Console"));
    EXPECT_EQ(find.operation, Operation::Find);
    EXPECT_EQ(find.className, std::nullopt);
    EXPECT_EQ(find.windowName, std::optional<std::string>("ET Console"));

    Request findEx = parsed(encodeFindEx(0xFFFFFFFFu, 7, "Edit", ""));
    EXPECT_EQ(findEx.operation, Operation::FindEx);
    EXPECT_EQ(findEx.window, 0xFFFFFFFFu);
    EXPECT_EQ(findEx.after, 7u);
    EXPECT_EQ(findEx.className, std::optional<std::string>("Edit"));
    EXPECT_EQ(findEx.windowName, std::optional<std::string>(""));

    EXPECT_EQ(parsed(encodeChildren(66000)).window, 66000u);
    const Request text = parsed(encodeText(12, 260));
    EXPECT_EQ(text.operation, Operation::Text);
    EXPECT_EQ(text.count, 260u);

    const std::string line = "say caf\xE9 \x01\x7F\xFF\r\n|";
    const Request setText = parsed(encodeSetText(5, line));
    EXPECT_EQ(setText.operation, Operation::SetText);
    EXPECT_EQ(setText.text, line);

    const Request sendChar = parsed(encodeSendChar(5, 13, 1));
    EXPECT_EQ(sendChar.operation, Operation::SendChar);
    EXPECT_EQ(sendChar.wParam, 13u);
    EXPECT_EQ(sendChar.lParam, 1);
    const Request postChar = parsed(encodePostChar(9, 13, 0x1C0001));
    EXPECT_EQ(postChar.operation, Operation::PostChar);
    EXPECT_EQ(postChar.lParam, 0x1C0001);
    EXPECT_EQ(parsed(encodePostChar(9, 13, kLowestLParam)).lParam, kLowestLParam);
    EXPECT_EQ(parsed(encodePostChar(9, 13, kHighestLParam)).lParam, kHighestLParam);
}

struct RefusedRequest {
    const char* line;
    std::string_view error;
};

class BridgeRefusedRequests : public ::testing::TestWithParam<RefusedRequest> {};

TEST_P(BridgeRefusedRequests, AreAnsweredWithTheirReasonAndNoCall) {
    const auto result = parseRequest(GetParam().line);
    EXPECT_FALSE(result.request);
    EXPECT_EQ(result.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    UnknownAndMalformed, BridgeRefusedRequests,
    ::testing::Values(RefusedRequest{"", kMalformed}, RefusedRequest{"HELLO", kUnknown},
                      RefusedRequest{"find - -", kUnknown}, RefusedRequest{"DESTROY 5", kUnknown},
                      RefusedRequest{"SENDMESSAGE 5 16 0 0", kUnknown},
                      // arguments missing, extra, or spaced wrongly
                      RefusedRequest{"FIND -", kMalformed}, RefusedRequest{"FIND - - -", kMalformed},
                      RefusedRequest{"FIND  - -", kMalformed}, RefusedRequest{"FIND - - ", kMalformed},
                      RefusedRequest{"CHILDREN", kMalformed}, RefusedRequest{"FINDEX 1 - -", kMalformed},
                      // truncated in the middle of a byte string
                      RefusedRequest{"SETTEXT 5 =736", kMalformed}, RefusedRequest{"SETTEX 5 =", kUnknown},
                      RefusedRequest{"SETTEXT 5", kMalformed},
                      // a null text is no WM_SETTEXT line, a NUL byte would cut the C string
                      RefusedRequest{"SETTEXT 5 -", kMalformed}, RefusedRequest{"SETTEXT 5 =610062", kMalformed},
                      RefusedRequest{"FIND =00 -", kMalformed},
                      // handles and numbers out of range or not plain decimal
                      RefusedRequest{"CHILDREN -1", kMalformed}, RefusedRequest{"CHILDREN 4294967296", kMalformed},
                      RefusedRequest{"CHILDREN 0x10", kMalformed}, RefusedRequest{"CHILDREN +5", kMalformed},
                      RefusedRequest{"CHILDREN 99999999999999999999999", kMalformed},
                      RefusedRequest{"TEXT 5 0", kMalformed}, RefusedRequest{"TEXT 5 65538", kMalformed},
                      RefusedRequest{"SENDCHAR 5 13", kMalformed}, RefusedRequest{"SENDCHAR 5 13 4294967296", kMalformed},
                      RefusedRequest{"POSTCHAR 5 13 -2147483649", kMalformed},
                      RefusedRequest{"POSTCHAR 5 4294967296 0", kMalformed}));

TEST(BridgeRequests, ATextLongerThanTheLimitIsRefused) {
    EXPECT_TRUE(parseRequest(encodeSetText(5, std::string(kMaxTextBytes, 'a'))).request);
    EXPECT_EQ(parseRequest(encodeSetText(5, std::string(kMaxTextBytes + 1, 'a'))).error, kMalformed);
}

TEST(BridgeAnswers, AreReadBackAndAnythingElseIsNothing) {
    EXPECT_EQ(readNumberAnswer(answerNumber(-7)), -7);
    EXPECT_EQ(readNumberAnswer(answerNumber(4294967295LL)), 4294967295LL);
    EXPECT_EQ(readHandlesAnswer(answerHandles({3, 0xFFFFFFFFu, 1})), (std::vector<Hwnd>{3, 0xFFFFFFFFu, 1}));
    EXPECT_EQ(readHandlesAnswer(answerHandles({})), std::vector<Hwnd>{});
    EXPECT_EQ(readBytesAnswer(answerBytes(everyByte())), everyByte());
    EXPECT_EQ(readBytesAnswer(answerBytes("")), "");

    for (const char* line : {"ERR malformed", "OK", "OK ", "OK x", "ok 5", "OK 5 6"}) {
        EXPECT_FALSE(readNumberAnswer(line)) << line;
    }
    // a count that does not match the handles that follow
    for (const char* line : {"OK 2 5", "OK 1 5 6", "OK 1 -5", "OK", "ERR unknown", "OK 0 "}) {
        EXPECT_FALSE(readHandlesAnswer(line)) << line;
    }
    for (const char* line : {"OK -", "OK 41", "OK =4", "ERR toolong"}) {
        EXPECT_FALSE(readBytesAnswer(line)) << line;
    }
}

TEST(BridgeLines, ComeOutWholeHoweverTheBytesArriveAndLoseTheirLineEnd) {
    LineBuffer lines;
    lines.append("FIND - -\r\nCHIL");
    EXPECT_EQ(lines.next()->text, "FIND - -");
    EXPECT_FALSE(lines.next());
    EXPECT_TRUE(lines.holdsPartialLine());
    lines.append("DREN 5");
    lines.append("\n\nX\n");
    EXPECT_EQ(lines.next()->text, "CHILDREN 5");
    EXPECT_EQ(lines.next()->text, "");
    EXPECT_EQ(lines.next()->text, "X");
    EXPECT_FALSE(lines.holdsPartialLine());
}

TEST(BridgeLines, AnOversizedLineIsDroppedAsItComesAndReportedOnceWithoutHarmingTheNext) {
    LineBuffer lines(8);
    lines.append("12345678\n");
    EXPECT_EQ(lines.next()->text, "12345678");
    lines.append("123456");
    lines.append("789");
    lines.append(std::string(100000, 'x'));
    EXPECT_FALSE(lines.next());
    lines.append("tail\nnext\n");
    const auto dropped = lines.next();
    ASSERT_TRUE(dropped);
    EXPECT_TRUE(dropped->tooLong);
    EXPECT_EQ(dropped->text, "");
    const auto following = lines.next();
    EXPECT_FALSE(following->tooLong);
    EXPECT_EQ(following->text, "next");
}

} // namespace
} // namespace brassbell::winbridge
