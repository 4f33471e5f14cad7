#include "console/AnsiCodec.h"
#include "console/ConsoleLink.h"

#include <array>

namespace brassbell {

namespace {

constexpr const char* kEtConsoleTitle = "ET Console";
constexpr const char* kEtqwConsoleClass = "ETQW WinConsole";
constexpr int kWindowTextBuffer = 260;

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
    windows_.SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(bytes.data()));
    windows_.SendMessageA(child, WM_CHAR, 13, 1);
    sConsoleLine_.clear();
    return 1;
}

void ConsoleLink::runChildWalk(Hwnd console, std::u16string line) {
    sConsoleLine_ = std::move(line);
    windows_.EnumChildWindows(
        console, [this](Hwnd child, std::int32_t lParam) { return fEnumConsoleChild(child, lParam); }, 0);
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

} // namespace brassbell
