#include "console/wine/BridgeProtocol.h"

#include <gtest/gtest.h>

#include <string>

namespace brassbell::testing {
namespace {

using namespace winbridge;

// Encoding is proven by both ends' talks; here the edges of what is taken, and why not.
TEST(BridgeProtocolTest, RequestsAreTakenUpToTheirLimitsAndOtherwiseRefusedWithTheirReason) {
    constexpr std::string_view kTaken = "";
    // clang-format off
    const std::pair<std::string, std::string_view> cases[] = {
        {"FINDEX 4294967295 0 =45 =", kTaken}, {"TEXT 5 65537", kTaken}, {"POSTCHAR 9 13 4294967295", kTaken},
        {"SENDCHAR 9 4294967295 -2147483648", kTaken}, {encodeSetText(5, std::string(kMaxTextBytes, 'a')), kTaken},
        {"", kMalformed}, {"HELLO", kUnknown}, {"find - -", kUnknown}, {"DESTROY 5", kUnknown},
        {"SENDMESSAGE 5 16 0 0", kUnknown},
        {"FIND -", kMalformed}, {"FIND - - -", kMalformed}, {"FIND  - -", kMalformed},
        {"FIND - - ", kMalformed}, {"CHILDREN", kMalformed}, {"FINDEX 1 - -", kMalformed},
        // byte strings cut short, not lower-case hex, or neither null nor text
        {"FIND =4 -", kMalformed}, {"FIND =4g -", kMalformed}, {"FIND =4A -", kMalformed},
        {"FIND 455420 -", kMalformed}, {"FIND -- -", kMalformed}, {"FIND =- -", kMalformed},
        // truncated in the middle of a byte string, or longer than any input line
        {"SETTEXT 5 =736", kMalformed}, {"SETTEX 5 =", kUnknown}, {"SETTEXT 5", kMalformed},
        {encodeSetText(5, std::string(kMaxTextBytes + 1, 'a')), kMalformed},
        // a null text is no WM_SETTEXT line, a NUL byte would cut the C string
        {"SETTEXT 5 -", kMalformed}, {"SETTEXT 5 =610062", kMalformed}, {"FIND =00 -", kMalformed},
        {"CHILDREN -1", kMalformed}, {"CHILDREN 4294967296", kMalformed}, {"CHILDREN 0x10", kMalformed},
        {"CHILDREN +5", kMalformed}, {"CHILDREN 99999999999999999999999", kMalformed},
        {"TEXT 5 0", kMalformed}, {"TEXT 5 65538", kMalformed}, {"SENDCHAR 5 13", kMalformed},
        {"SENDCHAR 5 13 4294967296", kMalformed}, {"POSTCHAR 5 13 -2147483649", kMalformed},
        {"POSTCHAR 5 4294967296 0", kMalformed}};
    // clang-format on
    for (const auto& [line, error] : cases) {
        const auto result = parseRequest(line);
        EXPECT_EQ(result.request.has_value(), error == kTaken) << line.substr(0, 80);
        EXPECT_EQ(result.error, error) << line.substr(0, 80);
    }
}

// What the bridge answers is read back in every talk; here a result below zero, and what is no answer.
TEST(BridgeProtocolTest, AnswersThatAreNotWhatWasAskedForAreNothing) {
    EXPECT_EQ(readNumberAnswer(answerNumber(-7)), -7);
    for (const char* line : {"ERR malformed", "OK", "OK ", "OK x", "ok 5", "OK 5 6"})
        EXPECT_FALSE(readNumberAnswer(line)) << line;
    // a count that does not match the handles that follow
    for (const char* line : {"OK 2 5", "OK 1 5 6", "OK 1 -5", "OK", "ERR unknown", "OK 0 "})
        EXPECT_FALSE(readHandlesAnswer(line)) << line;
    for (const char* line : {"OK -", "OK 41", "OK =4", "ERR toolong"})
        EXPECT_FALSE(readBytesAnswer(line)) << line;
}

} // namespace
} // namespace brassbell::testing
