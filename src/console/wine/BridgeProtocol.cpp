#include "console/wine/BridgeProtocol.h"

#include <charconv>
#include <initializer_list>

namespace brassbell::winbridge {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";
// Nineteen digits at most, so no number in an answer can overflow while it is read.
constexpr std::int64_t kLargestAnswer = 999999999999999999LL;

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Splits at single blanks; an empty token (two blanks, or one at either end) makes it malformed.
std::optional<std::vector<std::string_view>> tokens(std::string_view line) {
    std::vector<std::string_view> result;
    for (;;) {
        const auto blank = line.find(' ');
        const auto token = line.substr(0, blank);
        if (token.empty()) {
            return std::nullopt;
        }
        result.push_back(token);
        if (blank == std::string_view::npos) {
            return result;
        }
        line.remove_prefix(blank + 1);
    }
}

// Decimal digits with at most a "-" before them: no "+", no blanks, no "0x", nothing after them.
std::optional<std::int64_t> decimal(std::string_view token, std::int64_t lowest, std::int64_t highest) {
    const bool negative = !token.empty() && token.front() == '-';
    const auto digits = negative ? token.substr(1) : token;
    if (digits.empty() || digits.size() > 19) {
        return std::nullopt;
    }
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc{} || end != token.data() + token.size()) {
        return std::nullopt;
    }
    if (value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

std::optional<Hwnd> handle(std::string_view token) {
    if (!token.empty() && token.front() == '-') {
        return std::nullopt;
    }
    const auto value = decimal(token, 0, 0xFFFFFFFFLL);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<Hwnd>(*value);
}

// A byte string that becomes a C string on the other side: "-" or bytes without a NUL.
std::optional<std::optional<std::string>> cString(std::string_view token) {
    auto bytes = decodeBytes(token);
    if (bytes && *bytes && (*bytes)->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return bytes;
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

// Words joined by blanks, built by appending: GCC 12 warns falsely on "literal" + temporary.
std::string words(std::initializer_list<std::string_view> parts) {
    std::string line;
    for (const auto part : parts) {
        if (!line.empty()) {
            line += ' ';
        }
        line += part;
    }
    return line;
}

std::string_view withoutOk(std::string_view line, bool& ok) {
    ok = line.starts_with("OK ");
    return ok ? line.substr(3) : std::string_view{};
}

} // namespace

std::string encodeBytes(std::string_view bytes) {
    std::string token = "=";
    token.reserve(1 + 2 * bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        token += kHexDigits[byte >> 4];
        token += kHexDigits[byte & 0x0F];
    }
    return token;
}

std::string encodeBytes(const char* bytesOrNull) {
    return bytesOrNull == nullptr ? std::string("-") : encodeBytes(std::string_view(bytesOrNull));
}

std::optional<std::optional<std::string>> decodeBytes(std::string_view token) {
    if (token == "-") {
        return std::optional<std::string>{};
    }
    if (token.empty() || token.front() != '=' || token.size() % 2 != 1) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(token.size() / 2);
    for (std::size_t i = 1; i < token.size(); i += 2) {
        const int high = hexValue(token[i]);
        const int low = hexValue(token[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    return std::optional<std::string>(std::move(bytes));
}

ParsedRequest parseRequest(std::string_view line) {
    const ParsedRequest malformed{std::nullopt, kMalformed};
    const auto parts = tokens(line);
    if (!parts) {
        return malformed;
    }
    const auto& t = *parts;
    const std::string_view name = t.front();
    Request request;
    const auto expect = [&](std::size_t arguments) { return t.size() == arguments + 1; };

    if (name == "FIND" || name == "FINDEX") {
        const bool ex = name == "FINDEX";
        if (!expect(ex ? 4 : 2)) {
            return malformed;
        }
        const std::size_t first = ex ? 3 : 1;
        auto className = cString(t[first]);
        auto windowName = cString(t[first + 1]);
        if (!className || !windowName) {
            return malformed;
        }
        request.operation = ex ? Operation::FindEx : Operation::Find;
        request.className = std::move(*className);
        request.windowName = std::move(*windowName);
        if (ex) {
            const auto parent = handle(t[1]);
            const auto after = handle(t[2]);
            if (!parent || !after) {
                return malformed;
            }
            request.window = *parent;
            request.after = *after;
        }
    } else if (name == "CHILDREN") {
        const auto parent = expect(1) ? handle(t[1]) : std::nullopt;
        if (!parent) {
            return malformed;
        }
        request.operation = Operation::Children;
        request.window = *parent;
    } else if (name == "TEXT") {
        const auto window = expect(2) ? handle(t[1]) : std::nullopt;
        const auto count = expect(2) ? decimal(t[2], 1, static_cast<std::int64_t>(kMaxTextBytes) + 1)
                                     : std::optional<std::int64_t>{};
        if (!window || !count) {
            return malformed;
        }
        request.operation = Operation::Text;
        request.window = *window;
        request.count = static_cast<std::uint32_t>(*count);
    } else if (name == "SETTEXT") {
        const auto window = expect(2) ? handle(t[1]) : std::nullopt;
        auto text = expect(2) ? cString(t[2]) : std::nullopt;
        if (!window || !text || !*text || (*text)->size() > kMaxTextBytes) {
            return malformed;
        }
        request.operation = Operation::SetText;
        request.window = *window;
        request.text = std::move(**text);
    } else if (name == "SENDCHAR" || name == "POSTCHAR") {
        const auto window = expect(3) ? handle(t[1]) : std::nullopt;
        const auto wParam = expect(3) ? handle(t[2]) : std::nullopt;
        const auto lParam =
            expect(3) ? decimal(t[3], kLowestLParam, kHighestLParam) : std::optional<std::int64_t>{};
        if (!window || !wParam || !lParam) {
            return malformed;
        }
        request.operation = name == "SENDCHAR" ? Operation::SendChar : Operation::PostChar;
        request.window = *window;
        request.wParam = *wParam;
        request.lParam = *lParam;
    } else {
        return {std::nullopt, kUnknown};
    }
    return {std::move(request), {}};
}

std::string encodeFind(const char* className, const char* windowName) {
    return words({"FIND", encodeBytes(className), encodeBytes(windowName)});
}

std::string encodeFindEx(Hwnd parent, Hwnd after, const char* className, const char* windowName) {
    return words({"FINDEX", number(parent), number(after), encodeBytes(className), encodeBytes(windowName)});
}

std::string encodeChildren(Hwnd parent) {
    return words({"CHILDREN", number(parent)});
}

std::string encodeText(Hwnd window, std::uint32_t count) {
    return words({"TEXT", number(window), number(count)});
}

std::string encodeSetText(Hwnd window, std::string_view bytes) {
    return words({"SETTEXT", number(window), encodeBytes(bytes)});
}

std::string encodeSendChar(Hwnd window, std::uint32_t wParam, std::int64_t lParam) {
    return words({"SENDCHAR", number(window), number(wParam), number(lParam)});
}

std::string encodePostChar(Hwnd window, std::uint32_t wParam, std::int64_t lParam) {
    return words({"POSTCHAR", number(window), number(wParam), number(lParam)});
}

std::string answerNumber(std::int64_t value) {
    return words({"OK", number(value)});
}

std::string answerHandles(const std::vector<Hwnd>& handles) {
    std::string answer = words({"OK", number(static_cast<std::int64_t>(handles.size()))});
    for (const Hwnd h : handles) {
        answer += ' ';
        answer += number(h);
    }
    return answer;
}

std::string answerBytes(std::string_view bytes) {
    return words({"OK", encodeBytes(bytes)});
}

std::string answerError(std::string_view reason) {
    return words({"ERR", reason});
}

std::optional<std::int64_t> readNumberAnswer(std::string_view line) {
    bool ok = false;
    const auto rest = withoutOk(line, ok);
    if (!ok) {
        return std::nullopt;
    }
    return decimal(rest, -kLargestAnswer, kLargestAnswer);
}

std::optional<std::vector<Hwnd>> readHandlesAnswer(std::string_view line) {
    bool ok = false;
    const auto parts = tokens(withoutOk(line, ok));
    if (!ok || !parts) {
        return std::nullopt;
    }
    const auto count = decimal(parts->front(), 0, static_cast<std::int64_t>(kMaxChildren));
    if (!count || static_cast<std::size_t>(*count) != parts->size() - 1) {
        return std::nullopt;
    }
    std::vector<Hwnd> handles;
    handles.reserve(parts->size() - 1);
    for (std::size_t i = 1; i < parts->size(); ++i) {
        const auto h = handle((*parts)[i]);
        if (!h) {
            return std::nullopt;
        }
        handles.push_back(*h);
    }
    return handles;
}

std::optional<std::string> readBytesAnswer(std::string_view line) {
    bool ok = false;
    const auto rest = withoutOk(line, ok);
    auto bytes = ok ? decodeBytes(rest) : std::nullopt;
    if (!bytes || !*bytes) {
        return std::nullopt;
    }
    return std::move(**bytes);
}

void LineBuffer::append(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        const auto part = bytes.substr(0, end);
        if (!dropping_) {
            if (pending_.size() + part.size() > maxLineBytes_) {
                dropping_ = true;
                pending_.clear();
                pending_.shrink_to_fit();
            } else {
                pending_.append(part);
            }
        }
        if (end == std::string_view::npos) {
            return;
        }
        Line line;
        line.tooLong = dropping_;
        if (!dropping_) {
            line.text = std::move(pending_);
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
            }
        }
        ready_.push_back(std::move(line));
        pending_.clear();
        dropping_ = false;
        bytes.remove_prefix(end + 1);
    }
}

std::optional<LineBuffer::Line> LineBuffer::next() {
    if (ready_.empty()) {
        return std::nullopt;
    }
    Line line = std::move(ready_.front());
    ready_.pop_front();
    return line;
}

void LineBuffer::clear() {
    pending_.clear();
    dropping_ = false;
    ready_.clear();
}

} // namespace brassbell::winbridge
