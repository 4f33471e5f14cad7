// Chat splitting: fSplitText on any text, and a whole chat through the line-break cut into the
// simulated game console. Whatever the text, no piece exceeds 139 units, the pieces put
// together give the text back without separators and line breaks, and no executed line holds
// a line break.
#include "FuzzInput.h"
#include "console/AnsiCodec.h"
#include "console/ChatSplit.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"

#include "FuzzRequire.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::u16string_view kSeparator = u"|||:|||:|||:|||";
constexpr std::size_t kPieceLength = 139;

std::u16string withoutSeparators(std::u16string_view text) {
    std::u16string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(kSeparator); at != std::u16string_view::npos;
         at = text.find(kSeparator, start)) {
        out += text.substr(start, at - start);
        start = at + kSeparator.size();
    }
    out += text.substr(start);
    return out;
}

std::vector<std::u16string_view> lines(std::u16string_view text) {
    std::vector<std::u16string_view> out;
    std::size_t start = 0;
    for (std::size_t at = text.find_first_of(u"\r\n"); at != std::u16string_view::npos;
         at = text.find_first_of(u"\r\n", start)) {
        out.push_back(text.substr(start, at - start));
        start = at + (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1);
    }
    out.push_back(text.substr(start));
    return out;
}

void checkSplit(std::u16string_view text) {
    std::u16string joined;
    for (const std::u16string& piece : brassbell::fSplitText(text)) {
        BRASSBELL_FUZZ_REQUIRE(piece.size() <= kPieceLength);
        BRASSBELL_FUZZ_REQUIRE(piece.find(kSeparator) == std::u16string::npos);
        joined += piece;
    }
    BRASSBELL_FUZZ_REQUIRE(joined == withoutSeparators(text));
}

void checkChat(std::u16string_view text) {
    brassbell::SimulatedDesktop desktop;
    desktop.createEtConsole();
    brassbell::RecordingPause pause;
    brassbell::ConsoleLink link(desktop, pause);
    link.fSay2All(text);

    std::string expected;
    std::size_t pieces = 0;
    for (std::u16string_view line : lines(text)) {
        for (const std::u16string& piece : brassbell::fSplitText(line)) {
            ++pieces;
            if (!piece.empty()) {
                // The line travels as a C string, so the game sees it only up to a NUL.
                const std::string said = "say " + brassbell::utf16ToAnsi(piece);
                expected += said.substr(0, said.find('\0')) + "\n";
            }
        }
    }
    std::string executed;
    for (const std::string& line : desktop.executedLineTexts()) {
        BRASSBELL_FUZZ_REQUIRE(line.find_first_of("\r\n") == std::string::npos);
        executed += line + "\n";
    }
    BRASSBELL_FUZZ_REQUIRE(executed == expected);
    BRASSBELL_FUZZ_REQUIRE(pause.count() == pieces);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the reading, so both wide and separator-rich texts are explored.
    const std::u16string text = data[0] & 1 ? brassbell::fuzz::utf16Units(data + 1, size - 1)
                                            : brassbell::fuzz::latin1Units(data + 1, size - 1);
    checkSplit(text);
    if (text.size() <= 4096)
        checkChat(text);
    return 0;
}
