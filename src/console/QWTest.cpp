#include "console/ConsoleLink.h"

namespace brassbell {

namespace {

// The keystroke data of the Enter key: repeat count 1, scan code 0x1C, no flags.
constexpr std::intptr_t kEnterKeyData = 0x1C0001;

} // namespace

void ConsoleLink::deliverToQW(std::u16string line) {
    const Hwnd console = fFindConsole();
    if (console == 0) {
        return;
    }
    runChildWalk(console, std::move(line));
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
