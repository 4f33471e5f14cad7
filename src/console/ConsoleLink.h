#pragma once

#include "console/Pause.h"
#include "console/WindowSystem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brassbell {

// The console link: finds the game's console window and types lines into its input line.
// Lookups are made afresh on every call; no window handle is kept between calls.
class ConsoleLink {
public:
    ConsoleLink(WindowSystem& windows, Pause& pause) : windows_(windows), pause_(pause) {}

    // Discovery
    Hwnd fFindConsole();
    bool fConsoleExists();
    std::int32_t fEnumConsoleChild(Hwnd child, std::int32_t lParam);

    // Sending; texts go out unchanged except for the chat prefixes
    void fSendCommand(std::u16string_view text);
    void fSay2All(std::u16string_view text);
    void fSay2Team(std::u16string_view text);

    // The ETQW variants
    void fQWSendCommand(std::u16string_view text);
    void fQWSay2All(std::u16string_view piece);
    void fQWSay2Team(std::u16string_view piece);

    bool bIsQW() const { return bIsQW_; }
    const std::u16string& sConsoleLine() const { return sConsoleLine_; }
    WindowSystem& windowSystem() { return windows_; }

private:
    // Sets sConsoleLine and walks the console's children, as every delivery starts; true when
    // the line was written and entered.
    bool runChildWalk(Hwnd console, std::u16string line);
    // The ETQW delivery shared by the three QW variants: the walk, then the posted Enter.
    void deliverToQW(std::u16string line);
    // Chat to all or to the team: every line of the text, piece by piece, each followed by
    // the pause.
    void sayPieces(std::u16string_view text, bool team);

    WindowSystem& windows_;
    Pause& pause_;
    bool bIsQW_ = false;
    std::u16string sConsoleLine_;
    bool lineEntered_ = false;
};

// The text up to, not including, its first NUL; the whole text when it holds none.
std::string fStripNull(std::string_view text);
// The single-byte code of each character, then a 0 byte (see AnsiCodec.h for the code page).
std::vector<std::uint8_t> fStr2Bytes(std::u16string_view text);

} // namespace brassbell
