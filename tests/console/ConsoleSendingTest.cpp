#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brassbell {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using Message = SimulatedDesktop::Message;

const Message kPostedEnter{WM_CHAR, 13, 0x1C0001, ""};

class ConsoleSendingTest : public ::testing::Test {
protected:
    // Everything posted so far as seen by the game once its thread has run.
    Lines linesAfterPump() {
        desktop.pump();
        return desktop.executedLineTexts();
    }

    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink link{desktop, pause};
};

enum class Game { Et, Etqw };
using enum Game;
// The three ways text reaches the game.
using Operation = void (ConsoleLink::*)(std::u16string_view);
constexpr Operation kCommand = &ConsoleLink::fSendCommand;
constexpr Operation kAll = &ConsoleLink::fSay2All;
constexpr Operation kTeam = &ConsoleLink::fSay2Team;

struct LineCase {
    const char* name;
    Game game;
    Operation operation;
    std::u16string text;
    Lines lines; // executed by the game, posted Enters included
    std::size_t pauses;
};

class ConsoleLineTest : public ConsoleSendingTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ConsoleLineTest, GameExecutesExactlyTheseLines) {
    const auto& c = GetParam();
    const auto console = c.game == Game::Et ? desktop.createEtConsole() : desktop.createEtqwConsole();
    (link.*c.operation)(c.text);
    EXPECT_EQ(linesAfterPump(), c.lines);
    EXPECT_EQ(pause.requested(), std::vector<std::chrono::milliseconds>(c.pauses, 300ms));
    // Only ETQW gets the second Enter, one per line, and always at its input line.
    const std::size_t posted = c.game == Game::Etqw ? c.lines.size() / 2 : 0;
    EXPECT_EQ(desktop.postedMessages(console.input), std::vector<Message>(posted, kPostedEnter));
    EXPECT_TRUE(desktop.postedMessages(console.log).empty());
    EXPECT_TRUE(desktop.postedMessages(console.button).empty());
}

const std::u16string kSep = u"|||:|||:|||:|||";

const std::string k139a(139, 'a');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, ConsoleLineTest, ::testing::ValuesIn(std::vector<LineCase>{
    {"EtCommand", Et, kCommand, u"g_speed 320", {"g_speed 320"}, 0},
    {"EtCommandEmpty", Et, kCommand, u"", {""}, 0},
    {"EtCommandKeepsLineBreaksAndSeparator", Et, kCommand, u"a\nb" + kSep, {"a\nb|||:|||:|||:|||"}, 0},
    {"EtSayAll", Et, kAll, u"hello all", {"say hello all"}, 2},
    {"EtSayTeam", Et, kTeam, u"hello team", {"say_team hello team"}, 2},
    {"EtqwCommand", Etqw, kCommand, u"kick 3", {"kick 3", ""}, 0},
    {"EtqwSayAll", Etqw, kAll, u"hello all", {"say hello all", ""}, 2},
    {"EtqwSayTeam", Etqw, kTeam, u"hi", {"sayTeam hi", ""}, 2},
    {"Exactly139", Et, kAll, std::u16string(139, u'a'), {"say " + k139a}, 2},
    {"Length140", Et, kAll, std::u16string(139, u'a') + u"z", {"say " + k139a, "say z"}, 2},
    {"Length278", Et, kAll, std::u16string(278, u'a'), {"say " + k139a, "say " + k139a}, 3},
    {"EmptyChatSendsNothing", Et, kAll, u"", {}, 2},
    {"AnsiBytes", Et, kAll, u"caf\u00E9 \u20AC5 \u4E2D", {"say caf\xE9 \x80" "5 ?"}, 2},
    {"ShortSeparator", Et, kAll, u"one" + kSep + u"two", {"say one", "say two"}, 3},
    {"EmptyPartStillPaused", Et, kAll, kSep + u"two", {"say two"}, 3},
    {"CrLf", Et, kAll, u"one\r\ntwo", {"say one", "say two"}, 4},
    {"Cr", Et, kTeam, u"one\rtwo", {"say_team one", "say_team two"}, 4},
    {"Lf", Et, kAll, u"one\ntwo", {"say one", "say two"}, 4},
    {"EmptyLinesStillPaused", Et, kAll, u"one\n\r\n\rtwo\n", {"say one", "say two"}, 10},
    // The game's thread runs only at the pump, after both lines went in synchronously.
    {"LineBreakOnEtqw", Etqw, kTeam, u"one\r\ntwo", {"sayTeam one", "sayTeam two", "", ""}, 4}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
// clang-format on

TEST_F(ConsoleSendingTest, BothConsolesOpenEverythingGoesToEt) {
    const auto et = desktop.createEtConsole();
    const auto etqw = desktop.createEtqwConsole();
    link.fSay2Team(u"gg");
    link.fSendCommand(u"vid_restart");
    EXPECT_EQ(desktop.executedLines(), (std::vector<SimulatedDesktop::ExecutedLine>{
                                           {et.input, "say_team gg"}, {et.input, "vid_restart"}}));
    EXPECT_TRUE(desktop.sentMessages(etqw.input).empty());
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
}

TEST_F(ConsoleSendingTest, NoConsoleSendsNothingButChatStillPauses) {
    desktop.createTopLevel("Notepad", "Untitled");
    link.fSendCommand(u"quit");
    EXPECT_EQ(pause.count(), 0u);
    link.fSay2All(std::u16string(400, u'x'));
    link.fSay2Team(u"hi");
    EXPECT_TRUE(desktop.executedLines().empty());
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
    EXPECT_TRUE(link.bIsQW());
    EXPECT_EQ(pause.total(), 1500ms);
}

TEST_F(ConsoleSendingTest, EtqwConsoleWithoutEditStillGetsTheLineButNoPostedEnter) {
    const Hwnd console = desktop.createTopLevel("ETQW WinConsole", "Quake Wars");
    const Hwnd field = desktop.createChild(console, "RichEdit", "");
    desktop.createChild(console, "Button", "copy");

    link.fSay2All(u"hi");

    ASSERT_EQ(desktop.sentMessages(field).size(), 2u);
    EXPECT_EQ(desktop.sentMessages(field)[0].text, "say hi");
    EXPECT_EQ(desktop.pendingPostedCount(), 0u);
    EXPECT_EQ(pause.count(), 2u);
}

TEST_F(ConsoleSendingTest, PostedEnterGoesToTheFirstEditEvenIfTheWalkStartedElsewhere) {
    const Hwnd console = desktop.createTopLevel("ETQW WinConsole", "Quake Wars");
    const Hwnd label = desktop.createChild(console, "Static", "");
    const Hwnd input = desktop.createInputLine(console);
    const Hwnd log = desktop.createChild(console, "Edit", "");

    link.fQWSendCommand(u"status");

    EXPECT_EQ(desktop.sentMessages(label).at(0).text, "status");
    EXPECT_EQ(desktop.postedMessages(input), (std::vector<Message>{kPostedEnter}));
    EXPECT_TRUE(desktop.postedMessages(log).empty());
}

TEST_F(ConsoleSendingTest, ConsoleClosingInTheMiddleOfAChatIsQuiet) {
    const auto console = desktop.createEtConsole();
    desktop.setLineObserver(
        [&](const SimulatedDesktop::ExecutedLine&) { desktop.destroyWindow(console.window); });

    link.fSay2All(std::u16string(300, u'q'));

    EXPECT_EQ(desktop.executedLines().size(), 1u);
    EXPECT_EQ(pause.count(), 3u);
}

} // namespace
} // namespace brassbell
