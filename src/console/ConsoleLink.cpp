#include "console/ConsoleLink.h"

#include "console/AnsiCodec.h"
#include "console/ChatSplit.h"

#include <array>
#include <chrono>

namespace brassbell {

namespace {

constexpr const char* kEtConsoleTitle = "ET Console";
constexpr const char* kEtqwConsoleClass = "ETQW WinConsole";
constexpr int kWindowTextBuffer = 260;
constexpr std::chrono::milliseconds kPauseAfterPiece{300};

// The keystroke data of the Enter key: repeat count 1, scan code 0x1C, no flags.
constexpr std::intptr_t kEnterKeyData = 0x1C0001;

} // namespace

Hwnd ConsoleLink::fFindConsole() {
    // ET's console is known by its title, ETQW's by its window class; with both games running
    // the ET console is the one used.
    const Hwnd et = windows_.FindWindowA(nullptr, kEtConsoleTitle);
    if (et != 0) {
        bIsQW_ = false;
        return et;
    }
    bIsQW_ = true;
    return windows_.FindWindowA(kEtqwConsoleClass, nullptr);
}

bool ConsoleLink::fConsoleExists() {
    return fFindConsole() != 0;
}

std::int32_t ConsoleLink::fEnumConsoleChild(Hwnd child, std::int32_t /*lParam*/) {
    std::array<char, kWindowTextBuffer> buffer{};
    windows_.GetWindowTextA(child, buffer.data(), kWindowTextBuffer);
    // The input line is the first child without a caption: a captioned child (the button)
    // means the input line lies behind us, so the walk stops there.
    if (!fStripNull(std::string_view(buffer.data(), buffer.size())).empty()) {
        return 0;
    }
    const std::vector<std::uint8_t> bytes = fStr2Bytes(sConsoleLine_);
    // A line the window system could not write is not entered: Enter would run whatever the
    // input line holds instead.
    if (windows_.SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(bytes.data())) != 0) {
        windows_.SendMessageA(child, WM_CHAR, 13, 1);
        lineEntered_ = true;
    }
    sConsoleLine_.clear();
    return 1;
}

bool ConsoleLink::runChildWalk(Hwnd console, std::u16string line) {
    sConsoleLine_ = std::move(line);
    lineEntered_ = false;
    windows_.EnumChildWindows(
        console, [this](Hwnd child, std::int32_t lParam) { return fEnumConsoleChild(child, lParam); }, 0);
    return lineEntered_;
}

std::string fStripNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::vector<std::uint8_t> fStr2Bytes(std::u16string_view text) {
    const std::string ansi = utf16ToAnsi(text);
    std::vector<std::uint8_t> bytes(ansi.begin(), ansi.end());
    bytes.push_back(0);
    return bytes;
}

void ConsoleLink::fSendCommand(std::u16string_view text) {
    const Hwnd console = fFindConsole();
    if (bIsQW_) {
        fQWSendCommand(text);
    } else if (console != 0) {
        runChildWalk(console, std::u16string(text));
    }
}

void ConsoleLink::fSay2All(std::u16string_view text) {
    sayPieces(text, false);
}

void ConsoleLink::fSay2Team(std::u16string_view text) {
    sayPieces(text, true);
}

void ConsoleLink::sayPieces(std::u16string_view text, bool team) {
    const Hwnd console = fFindConsole();
    for (const std::u16string_view line : splitChatLines(text)) {
        for (const std::u16string& piece : fSplitText(line)) {
            if (!piece.empty()) {
                // The flag is read anew for each piece: the ETQW delivery looks the console up
                // again and so sets it again.
                if (bIsQW_ && team) {
                    fQWSay2Team(piece);
                } else if (bIsQW_) {
                    fQWSay2All(piece);
                } else if (console != 0) {
                    runChildWalk(console, (team ? u"say_team " : u"say ") + piece);
                }
            }
            pause_.Sleep(kPauseAfterPiece);
        }
    }
}

void ConsoleLink::deliverToQW(std::u16string line) {
    const Hwnd console = fFindConsole();
    if (console == 0) {
        return;
    }
    if (!runChildWalk(console, std::move(line))) {
        return;
    }
    // ETQW's input line takes the line only with a second Enter that arrives through the
    // game's own message queue.
    const Hwnd edit = windows_.FindWindowExA(console, 0, "Edit", nullptr);
    if (edit != 0) {
        windows_.PostMessageA(edit, WM_CHAR, 13, kEnterKeyData);
    }
}

void ConsoleLink::fQWSendCommand(std::u16string_view text) {
    deliverToQW(std::u16string(text));
}

void ConsoleLink::fQWSay2All(std::u16string_view piece) {
    deliverToQW(u"say " + std::u16string(piece));
}

void ConsoleLink::fQWSay2Team(std::u16string_view piece) {
    deliverToQW(u"sayTeam " + std::u16string(piece));
}

} // namespace brassbell
