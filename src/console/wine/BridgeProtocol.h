#pragma once

#include "console/WindowSystem.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The line protocol between Brassbell and brassbell-winbridge.exe, the helper that makes the
// console link's window-system calls inside Wine. Shared by both ends, so it builds anywhere.
//
// The bridge speaks first, one line: kGreeting. Then every request line gets exactly one answer
// line, in order. Lines end in "\n" (a "\r" before it is ignored). Tokens are separated by
// one blank. A byte string travels as "-" (a null pointer) or "=" followed by two lower-case hex
// digits per byte ("=" alone is the empty text), so any byte is safe on the line. Handles and
// numbers are plain decimal.
//
//   FIND <class> <title>                    -> OK <handle>             FindWindowA
//   FINDEX <parent> <after> <class> <title> -> OK <handle>             FindWindowExA
//   CHILDREN <parent>                       -> OK <n> <handle>...      EnumChildWindows' order
//   TEXT <window> <nMaxCount>               -> OK =<bytes>             GetWindowTextA
//   SETTEXT <window> =<bytes>               -> OK <result>             SendMessageA WM_SETTEXT
//   SENDCHAR <window> <wParam> <lParam>     -> OK <result>             SendMessageA WM_CHAR
//   POSTCHAR <window> <wParam> <lParam>     -> OK 1 | OK 0             PostMessageA WM_CHAR
//
// A request that cannot be served is answered "ERR <reason>" and makes no call at all.
namespace brassbell::winbridge {

inline constexpr std::string_view kGreeting = "BRASSBELL-WINBRIDGE 1";

// Far beyond any console line, yet small enough that a runaway writer cannot make either end
// hold more than this in memory.
inline constexpr std::size_t kMaxLineBytes = 256 * 1024;
// The longest text either way: a WM_SETTEXT line, or what GetWindowTextA may return.
inline constexpr std::size_t kMaxTextBytes = 64 * 1024;
// A window with more children than this is answered with its first kMaxChildren.
inline constexpr std::size_t kMaxChildren = 16 * 1024;

inline constexpr std::string_view kUnknown = "unknown";
inline constexpr std::string_view kMalformed = "malformed";
inline constexpr std::string_view kTooLong = "toolong";
inline constexpr std::string_view kTruncated = "truncated";

enum class Operation { Find, FindEx, Children, Text, SetText, SendChar, PostChar };

struct Request {
    Operation operation = Operation::Find;
    Hwnd window = 0; // the parent for FINDEX and CHILDREN
    Hwnd after = 0;
    std::optional<std::string> className;
    std::optional<std::string> windowName;
    std::string text;         // SETTEXT
    std::uint32_t count = 0;  // TEXT's nMaxCount
    std::uint32_t wParam = 0; // SENDCHAR, POSTCHAR
    std::int64_t lParam = 0;  // SENDCHAR, POSTCHAR

    bool operator==(const Request&) const = default;
};

struct ParsedRequest {
    std::optional<Request> request;
    std::string_view error; // kUnknown or kMalformed when there is no request
};

ParsedRequest parseRequest(std::string_view line);

// Byte strings. A null pointer encodes as "-"; bytes holding a NUL cannot be a C string and
// are refused by the bridge.
std::string encodeBytes(std::string_view bytes);
std::string encodeBytes(const char* bytesOrNull);
// Nothing when the token is not a byte string; an empty optional inside for "-".
std::optional<std::optional<std::string>> decodeBytes(std::string_view token);

// The lParam values a request can carry: what fits in 32 bits, signed or not.
inline constexpr std::int64_t kLowestLParam = -2147483648LL;
inline constexpr std::int64_t kHighestLParam = 4294967295LL;

// Requests, as Brassbell sends them (without the line end).
std::string encodeFind(const char* className, const char* windowName);
std::string encodeFindEx(Hwnd parent, Hwnd after, const char* className, const char* windowName);
std::string encodeChildren(Hwnd parent);
std::string encodeText(Hwnd window, std::uint32_t count);
std::string encodeSetText(Hwnd window, std::string_view bytes);
std::string encodeSendChar(Hwnd window, std::uint32_t wParam, std::int64_t lParam);
std::string encodePostChar(Hwnd window, std::uint32_t wParam, std::int64_t lParam);

// Answers, as the bridge sends them (without the line end).
std::string answerNumber(std::int64_t value);
std::string answerHandles(const std::vector<Hwnd>& handles);
std::string answerBytes(std::string_view bytes);
std::string answerError(std::string_view reason);

// Answers as Brassbell reads them: nothing for an error answer or anything unexpected.
std::optional<std::int64_t> readNumberAnswer(std::string_view line);
std::optional<std::vector<Hwnd>> readHandlesAnswer(std::string_view line);
std::optional<std::string> readBytesAnswer(std::string_view line);

// Cuts a byte stream into lines of at most kMaxLineBytes. A longer line is dropped as it comes
// in, and reported once its end arrives, so no amount of input grows the buffer past the limit.
class LineBuffer {
public:
    struct Line {
        std::string text; // without "\r\n" or "\n"
        bool tooLong = false;
    };

    explicit LineBuffer(std::size_t maxLineBytes = kMaxLineBytes) : maxLineBytes_(maxLineBytes) {}

    void append(std::string_view bytes);
    std::optional<Line> next();
    // True when bytes of an unfinished line are held (or being dropped).
    bool holdsPartialLine() const { return !pending_.empty() || dropping_; }
    void clear();

private:
    std::size_t maxLineBytes_;
    std::string pending_;
    bool dropping_ = false;
    std::deque<Line> ready_;
};

} // namespace brassbell::winbridge
