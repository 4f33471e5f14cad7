// The Wine bridge's request parser and line buffer on any bytes: a request either parses, and
// then encodes back to a line that parses to the same request, or is refused with a reason;
// the line buffer never holds a line past its limit.
#include "console/wine/BridgeProtocol.h"

#include "FuzzRequire.h"

#include <cstdlib>
#include <string>

namespace wb = brassbell::winbridge;

namespace {

const char* cString(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

std::string encode(const wb::Request& r) {
    switch (r.operation) {
    case wb::Operation::Find:
        return wb::encodeFind(cString(r.className), cString(r.windowName));
    case wb::Operation::FindEx:
        return wb::encodeFindEx(r.window, r.after, cString(r.className), cString(r.windowName));
    case wb::Operation::Children:
        return wb::encodeChildren(r.window);
    case wb::Operation::Text:
        return wb::encodeText(r.window, r.count);
    case wb::Operation::SetText:
        return wb::encodeSetText(r.window, r.text);
    case wb::Operation::SendChar:
        return wb::encodeSendChar(r.window, r.wParam, r.lParam);
    case wb::Operation::PostChar:
        return wb::encodePostChar(r.window, r.wParam, r.lParam);
    }
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const wb::ParsedRequest parsed = wb::parseRequest(bytes);
    if (parsed.request) {
        const wb::ParsedRequest again = wb::parseRequest(encode(*parsed.request));
        BRASSBELL_FUZZ_REQUIRE(again.request && *again.request == *parsed.request);
    } else {
        BRASSBELL_FUZZ_REQUIRE(parsed.error == wb::kUnknown || parsed.error == wb::kMalformed ||
                               parsed.error == wb::kTooLong);
    }

    if (const auto decoded = wb::decodeBytes(bytes); decoded && *decoded)
        BRASSBELL_FUZZ_REQUIRE(wb::decodeBytes(wb::encodeBytes(**decoded)) == decoded);

    // The same bytes through a small line buffer, fed in uneven chunks.
    wb::LineBuffer buffer(64);
    std::size_t fed = 0;
    for (std::size_t chunk = 1; fed < size; chunk = chunk * 2 + 1) {
        buffer.append(bytes.substr(fed, chunk));
        fed += std::min(chunk, size - fed);
        while (const auto line = buffer.next())
            BRASSBELL_FUZZ_REQUIRE(line->text.size() <= 64);
    }
    return 0;
}
