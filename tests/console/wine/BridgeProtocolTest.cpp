#include "console/wine/BridgeProtocol.h"

#include <gtest/gtest.h>

#include <string>

namespace brassbell::testing {
namespace {

using namespace winbridge;

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(BridgeProtocolTest, ByteStringsCarryEveryByteAndKeepNullApartFromEmpty) {
    const std::string token = encodeBytes(everyByte() + everyByte());
    EXPECT_EQ(token.find_first_not_of("=0123456789abcdef"), std::string::npos);
    using Decoded = std::optional<std::optional<std::string>>;
    EXPECT_EQ(decodeBytes(token), Decoded(everyByte() + everyByte()));
    EXPECT_EQ(encodeBytes(static_cast<const char*>(nullptr)), "-");
    EXPECT_EQ(encodeBytes(""), "=");
    EXPECT_EQ(decodeBytes("-"), Decoded(std::in_place));
    EXPECT_EQ(decodeBytes("="), Decoded(std::string()));
    for (const char* broken : {"", "=4", "=4g", "=4A", "455420", "--", "=-", "= 45"})
        EXPECT_FALSE(decodeBytes(broken)) << broken;
}

// Every request Brassbell encodes is read back by the bridge as the same call.
TEST(BridgeProtocolTest, EncodedRequestsParseBackToTheirCall) {
    using enum Operation;
    const std::string line = "say caf\xE9 \x01\x7F\xFF\r\n|";
    // clang-format off
    // operation, window, after, className, windowName, text, count, wParam, lParam
    const std::pair<std::string, Request> cases[] = {
        {encodeFind(nullptr, "ET Console"), {Find, 0, 0, {}, "ET Console", "", 0, 0, 0}},
        {encodeFindEx(0xFFFFFFFFu, 7, "Edit", ""), {FindEx, 0xFFFFFFFFu, 7, "Edit", "", "", 0, 0, 0}},
        {encodeChildren(66000), {Children, 66000, 0, {}, {}, "", 0, 0, 0}},
        {encodeText(12, 260), {Text, 12, 0, {}, {}, "", 260, 0, 0}},
        {encodeSetText(5, line), {SetText, 5, 0, {}, {}, line, 0, 0, 0}},
        {encodeSetText(5, std::string(kMaxTextBytes, 'a')), {SetText, 5, 0, {}, {}, std::string(kMaxTextBytes, 'a'), 0, 0, 0}},
        {encodeSendChar(5, 13, 1), {SendChar, 5, 0, {}, {}, "", 0, 13, 1}},
        {encodePostChar(9, 13, kLowestLParam), {PostChar, 9, 0, {}, {}, "", 0, 13, kLowestLParam}},
        {encodePostChar(9, 13, kHighestLParam), {PostChar, 9, 0, {}, {}, "", 0, 13, kHighestLParam}}};
    // clang-format on
    for (const auto& [encoded, call] : cases)
        EXPECT_EQ(parseRequest(encoded).request, call) << encoded.substr(0, 80);
}

TEST(BridgeProtocolTest, UnknownAndMalformedRequestsAreAnsweredWithTheirReasonAndNoCall) {
    // clang-format off
    const std::pair<std::string, std::string_view> cases[] = {
        {"", kMalformed}, {"HELLO", kUnknown}, {"find - -", kUnknown}, {"DESTROY 5", kUnknown},
        {"SENDMESSAGE 5 16 0 0", kUnknown},
        // arguments missing, extra, or spaced wrongly
        {"FIND -", kMalformed}, {"FIND - - -", kMalformed}, {"FIND  - -", kMalformed},
        {"FIND - - ", kMalformed}, {"CHILDREN", kMalformed}, {"FINDEX 1 - -", kMalformed},
        // truncated in the middle of a byte string, or longer than any input line
        {"SETTEXT 5 =736", kMalformed}, {"SETTEX 5 =", kUnknown}, {"SETTEXT 5", kMalformed},
        {encodeSetText(5, std::string(kMaxTextBytes + 1, 'a')), kMalformed},
        // a null text is no WM_SETTEXT line, a NUL byte would cut the C string
        {"SETTEXT 5 -", kMalformed}, {"SETTEXT 5 =610062", kMalformed}, {"FIND =00 -", kMalformed},
        // handles and numbers out of range or not plain decimal
        {"CHILDREN -1", kMalformed}, {"CHILDREN 4294967296", kMalformed}, {"CHILDREN 0x10", kMalformed},
        {"CHILDREN +5", kMalformed}, {"CHILDREN 99999999999999999999999", kMalformed},
        {"TEXT 5 0", kMalformed}, {"TEXT 5 65538", kMalformed}, {"SENDCHAR 5 13", kMalformed},
        {"SENDCHAR 5 13 4294967296", kMalformed}, {"POSTCHAR 5 13 -2147483649", kMalformed},
        {"POSTCHAR 5 4294967296 0", kMalformed}};
    // clang-format on
    for (const auto& [line, error] : cases) {
        const auto result = parseRequest(line);
        EXPECT_FALSE(result.request) << line.substr(0, 80);
        EXPECT_EQ(result.error, error) << line.substr(0, 80);
    }
}

TEST(BridgeProtocolTest, AnswersAreReadBackAndAnythingElseIsNothing) {
    EXPECT_EQ(readNumberAnswer(answerNumber(-7)), -7);
    EXPECT_EQ(readNumberAnswer(answerNumber(4294967295LL)), 4294967295LL);
    EXPECT_EQ(readHandlesAnswer(answerHandles({3, 0xFFFFFFFFu, 1})), (std::vector<Hwnd>{3, 0xFFFFFFFFu, 1}));
    EXPECT_EQ(readHandlesAnswer(answerHandles({})), std::vector<Hwnd>{});
    EXPECT_EQ(readBytesAnswer(answerBytes(everyByte())), everyByte());
    EXPECT_EQ(readBytesAnswer(answerBytes("")), "");

    for (const char* line : {"ERR malformed", "OK", "OK ", "OK x", "ok 5", "OK 5 6"})
        EXPECT_FALSE(readNumberAnswer(line)) << line;
    // a count that does not match the handles that follow
    for (const char* line : {"OK 2 5", "OK 1 5 6", "OK 1 -5", "OK", "ERR unknown", "OK 0 "})
        EXPECT_FALSE(readHandlesAnswer(line)) << line;
    for (const char* line : {"OK -", "OK 41", "OK =4", "ERR toolong"})
        EXPECT_FALSE(readBytesAnswer(line)) << line;
}

TEST(BridgeProtocolTest, LinesComeOutWholeHoweverTheBytesArriveAndAnOversizedOneIsDroppedOnce) {
    LineBuffer lines(10);
    for (const char* bytes :
         {"FIND - -\r\nCHIL", "DREN 5", "\n\n1234567890\n123456", "789", "xxxxxxxxxxxx", "tail\nX\n"})
        lines.append(bytes);
    std::vector<std::string> out;
    while (const auto line = lines.next())
        out.push_back(line->tooLong ? "(too long)" : line->text);
    EXPECT_EQ(out, (std::vector<std::string>{"FIND - -", "CHILDREN 5", "", "1234567890", "(too long)", "X"}));
    EXPECT_FALSE(lines.holdsPartialLine());
    lines.append("part");
    EXPECT_TRUE(lines.holdsPartialLine());
}

} // namespace
} // namespace brassbell::testing
