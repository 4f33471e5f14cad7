// What a text becomes on its way (Windows-1252 bytes, chat pieces), which console is used, the
// lines executed, the pauses and ETQW's second, posted Enter; and the simulated desktop all this
// runs on, which keeps the window system's contract.
#include "console/ConsoleLink.h"
#include "WindowSystemContract.h"
#include "console/AnsiCodec.h"
#include "console/ChatSplit.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace brassbell::testing {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using Message = SimulatedDesktop::Message;
using GameConsole = SimulatedDesktop::GameConsole;

const Message kPostedEnter{WM_CHAR, 13, 0x1C0001, ""};

using Operation = void (ConsoleLink::*)(std::u16string_view);
constexpr Operation kCommand = &ConsoleLink::fSendCommand;
constexpr Operation kAll = &ConsoleLink::fSay2All;
constexpr Operation kTeam = &ConsoleLink::fSay2Team;

enum class Open { Et, Etqw, None };
using enum Open;

class ConsoleLinkTest : public ::testing::Test {
protected:
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink link{desktop, pause};
};

TEST_F(ConsoleLinkTest, EveryRouteReachesTheGameAsTheseLines) {
    const std::u16string sep = u"|||:|||:|||:|||";
    // clang-format off
    struct { const char* name; Open open; Operation operation; std::u16string text; Lines lines; std::size_t pauses; }
    const cases[] = { // lines: executed by the game, posted Enters included
        {"EtCommandEmpty", Et, kCommand, u"", {""}, 0},
        {"EtCommandKeepsLineBreaksAndSeparator", Et, kCommand, u"a\nb" + sep, {"a\nb|||:|||:|||:|||"}, 0},
        {"EtSayTeam", Et, kTeam, u"hello team", {"say_team hello team"}, 2},
        {"EtqwCommand", Etqw, kCommand, u"kick 3", {"kick 3", ""}, 0},
        {"EtqwSayAll", Etqw, kAll, u"hello all", {"say hello all", ""}, 2},
        {"EtqwSayTeam", Etqw, kTeam, u"hi", {"sayTeam hi", ""}, 2},
        {"NoConsoleCommand", None, kCommand, u"quit", {}, 0},
        {"NoConsoleChatStillPaused", None, kAll, std::u16string(400, u'x'), {}, 3},
        {"EmptyChatSendsNothing", Et, kAll, u"", {}, 2},
        {"EmptyLinesStillPaused", Et, kAll, u"one\n\r\n\rtwo\n", {"say one", "say two"}, 10},
        // The game's thread runs only at the pump, after both lines went in synchronously.
        {"LineBreakOnEtqw", Etqw, kTeam, u"one\r\ntwo", {"sayTeam one", "sayTeam two", "", ""}, 4}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktop = SimulatedDesktop();
        pause.clear();
        // One link for all, as each call looks the console up afresh; the trap comes first.
        desktop.createTopLevel("ET Console", "ETQW WinConsole");
        const auto qw = c.open == Etqw ? desktop.createEtqwConsole() : GameConsole{};
        const auto et = c.open == Et ? desktop.createEtConsole() : GameConsole{};
        EXPECT_EQ(link.fConsoleExists(), c.open != None);

        (link.*c.operation)(c.text);
        desktop.pump();
        std::vector<SimulatedDesktop::ExecutedLine> expected;
        for (const auto& line : c.lines)
            expected.push_back({c.open == Etqw ? qw.input : et.input, line});
        EXPECT_EQ(desktop.executedLines(), expected);
        EXPECT_EQ(pause.requested(), std::vector(c.pauses, 300ms));
        EXPECT_EQ(link.bIsQW(), c.open == Etqw || c.open == None);
        // Only ETQW gets the second Enter, one per line.
        EXPECT_EQ(desktop.postedMessages(qw.input),
                  std::vector<Message>(c.open == Etqw ? c.lines.size() / 2 : 0, kPostedEnter));
    }
}

TEST_F(ConsoleLinkTest, TheWalkTypesIntoChildrenUpToTheFirstCaptionAndEtqwsEnterGoesToItsFirstEdit) {
    const Lines typed = {"map oasis", "Enter"};
    const Lines empty = {"", "Enter"};
    struct {
        bool etqw;
        Lines children;         // class:caption; "Input" is an input line that executes its line on Enter
        std::vector<Lines> got; // each WM_SETTEXT's text, "Enter" for WM_CHAR 13, then "Posted Enter"
        std::u16string left;    // the line still waiting to be typed
    } const cases[] = {
        // An edit holding text still reads empty: its content is no caption.
        {false, {"Input", "Edit:half typed", "Button:copy", "Input"}, {typed, empty, {}, {}}, u""},
        {false, {"Button:copy", "Input"}, {{}, {}}, u"map oasis"},
        {true, {"RichEdit:", "Button:copy"}, {typed, {}}, u""},
        {true, {"Static:", "Input", "Edit:"}, {typed, {"", "Enter", "Posted Enter"}, empty}, u""}};
    for (const auto& c : cases) {
        desktop = SimulatedDesktop();
        const Hwnd console = c.etqw ? desktop.createTopLevel("ETQW WinConsole", "Quake Wars")
                                    : desktop.createTopLevel("WinConsole", "ET Console");
        for (const std::string& child : c.children) {
            const auto colon = child.find(':');
            child == "Input" ? desktop.createInputLine(console)
                             : desktop.createChild(console, child.substr(0, colon), child.substr(colon + 1));
        }
        link.fSendCommand(u"map oasis");
        EXPECT_EQ(link.sConsoleLine(), c.left);
        for (std::size_t i = 0; i < c.children.size(); ++i) {
            Lines got;
            const Hwnd child = desktop.children(console)[i];
            for (const auto& m : desktop.sentMessages(child))
                got.push_back(m.msg == WM_SETTEXT                ? m.text
                              : m == Message{WM_CHAR, 13, 1, ""} ? "Enter"
                                                                 : "?");
            for (const auto& m : desktop.postedMessages(child))
                got.push_back(m == kPostedEnter ? "Posted Enter" : "?");
            EXPECT_EQ(got, c.got[i]) << c.children[i];
        }
    }
}

TEST_F(ConsoleLinkTest, AConsoleClosingInTheMiddleOfAChatIsQuiet) {
    const auto console = desktop.createEtConsole();
    desktop.setLineObserver([&](const auto&) { desktop.destroyWindow(console.window); });
    link.fSay2All(std::u16string(300, u'q'));
    EXPECT_EQ(desktop.executedLines().size(), 1u);
    EXPECT_EQ(pause.count(), 3u);
}

TEST(AnsiCodecTest, GivesOneWindows1252ByteForEachCharacterThenZero) {
    // clang-format off
    const std::pair<std::u16string, std::vector<std::uint8_t>> cases[] = {
        {u"abc", {97, 98, 99, 0}}, {u"", {0}}, {u"\u00E9\u00FF\u00A0", {0xE9, 0xFF, 0xA0, 0}},
        {u"\u20AC\u201A\u017E\u0178", {0x80, 0x82, 0x9E, 0x9F, 0}},
        {u"\u0081", {0x81, 0}},                       // an undefined byte round-trips
        {u"\u0080", {'?', 0}},                        // a C1 control without a byte
        {u"a\u0100\u4E2Db", {'a', '?', '?', 'b', 0}}, // outside the code page
        {u"x\U0001F600y", {'x', '?', '?', 'y', 0}},   // a surrogate pair is two units
        {u"\xD83D-\xDE00", {'?', '-', '?', 0}}};      // lone surrogate halves
    // clang-format on
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(fStr2Bytes(text), bytes) << ::testing::PrintToString(text);
}

TEST(AnsiCodecTest, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(utf16ToAnsi(ansiToUtf16(byte)), byte) << b;
    }
}

// Characters that differ along the text, so a cut in the wrong place changes the pieces.
std::u16string text(std::size_t length, char16_t first = u'A') {
    std::u16string s;
    for (std::size_t i = 0; i < length; ++i)
        s.push_back(static_cast<char16_t>(first + i % 26));
    return s;
}

TEST(ChatSplitTest, CutsAtTheSeparatorThenInto139CharacterPiecesThatGiveTheTextBack) {
    const std::u16string sep = u"|||:|||:|||:|||";
    // clang-format off
    const std::pair<std::u16string, std::vector<std::size_t>> cases[] = {
        {text(0), {0, 0}}, {text(139), {139, 0}}, {text(140), {139, 1}}, {text(277), {139, 138}},
        {text(278), {139, 139, 0}}, {text(400), {139, 139, 122}}, {u"first" + sep + u"second", {5, 6, 0}},
        {sep, {0, 0, 0}},
        // A text ending in the first part of the separator is no separator and comes back whole.
        {u"gg |||:", {7, 0}}, {u"a|||:|||:", {9, 0}},
        {text(100, u'a') + sep + text(60), {100, 60, 0}}, {text(200, u'a') + sep + text(10), {139, 61, 10, 0}},
        {text(140, u'a') + sep + text(5), {139, 1, 5, 0}}, {sep + text(150), {0, 139, 11, 0}},
        {text(130, u'a') + sep + text(20), {130, 20, 0}}, // the separator straddles the 139th character
        {text(278, u'a') + sep, {139, 139, 0, 0}}};
    // clang-format on
    for (const auto& [original, lengths] : cases) {
        std::u16string expected = original;
        for (std::size_t at; (at = expected.find(sep)) != std::u16string::npos;)
            expected.erase(at, sep.size());
        std::u16string joined;
        std::vector<std::size_t> cut;
        for (const auto& piece : fSplitText(original))
            joined += piece, cut.push_back(piece.size());
        EXPECT_EQ(cut, lengths) << ::testing::PrintToString(lengths);
        EXPECT_EQ(joined, expected);
    }
}

class SimulatedWorld final : public ConsoleWorld {
public:
    WindowSystem& windows() override { return desktop_; }
    void open() override {
        consoles_ = {desktop_.createEtConsole(), desktop_.createEtqwConsole()};
        const Hwnd decoy = desktop_.createTopLevel("Decoy", "ETQW WinConsole");
        consoles_.push_back({decoy, desktop_.createInputLine(decoy)});
    }
    void close() override {
        for (const auto& console : consoles_)
            desktop_.destroyWindow(console.window);
    }
    std::string executed(Console console, const std::string&) override {
        desktop_.pump();
        std::string bytes;
        const auto children = desktop_.children(consoles_[static_cast<int>(console)].window);
        for (const auto& [window, line] : desktop_.executedLines())
            bytes += std::ranges::count(children, window) != 0 ? line + "\n" : "";
        return bytes;
    }

private:
    SimulatedDesktop desktop_;
    std::vector<SimulatedDesktop::GameConsole> consoles_;
};

INSTANTIATE_TEST_SUITE_P(, WindowSystemTest,
                         ::testing::Values(WorldMaker{"Simulated",
                                                      [] { return std::make_unique<SimulatedWorld>(); }}));

TEST(SimulatedDesktopTest, WalksEachChildBeforeItsOwnAndSkipsWhatTheCallbackDestroyed) {
    SimulatedDesktop desktop;
    const Hwnd top = desktop.createTopLevel("Frame", "Top");
    const Hwnd a = desktop.createChild(top, "Panel", "a");
    const Hwnd b = desktop.createChild(top, "Panel", "b");
    const Hwnd a1 = desktop.createChild(a, "Static", "a1");
    const Hwnd c = desktop.createChild(top, "Panel", "c");
    std::vector<Hwnd> visited;
    const auto destroyB = [&](Hwnd child, std::int32_t) {
        if (visited.push_back(child); child == a1)
            desktop.destroyWindow(b);
        return 1;
    };
    desktop.EnumChildWindows(top, destroyB, 0);
    EXPECT_EQ(visited, (std::vector<Hwnd>{a, a1, c}));
}

TEST(SimulatedDesktopTest, PumpDeliversWhatWasPostedBeforeItToWindowsStillThere) {
    SimulatedDesktop desktop;
    const auto kept = desktop.createEtConsole();
    const auto closed = desktop.createEtqwConsole();
    // An Enter posted while the game handles one waits for the next pump.
    desktop.setLineObserver([&](const auto&) {
        if (desktop.executedLines().size() == 1)
            desktop.PostMessageA(kept.input, WM_CHAR, 13, 1);
    });
    desktop.PostMessageA(closed.input, WM_CHAR, 13, 1);
    desktop.PostMessageA(kept.input, WM_CHAR, 13, 1);
    desktop.destroyWindow(closed.window);
    EXPECT_EQ(desktop.pump(), 1u);
    EXPECT_EQ(desktop.pendingPostedCount(), 1u);
}

} // namespace
} // namespace brassbell::testing
