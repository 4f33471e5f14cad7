#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"

#include <gtest/gtest.h>

namespace brassbell {
namespace {

using Message = SimulatedDesktop::Message;

class ConsoleDiscoveryTest : public ::testing::Test {
protected:
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink link{desktop, pause};
};

TEST_F(ConsoleDiscoveryTest, FindsTheConsoleAndSetsTheGameFlag) {
    enum Found { None, Et, Etqw };
    struct Case {
        bool etOpen;
        bool etqwOpen;
        Found found;
        bool bIsQW;
    };
    const Case cases[] = {{true, true, Et, false},
                          {true, false, Et, false},
                          {false, true, Etqw, true},
                          {false, false, None, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "ET " << c.etOpen << ", ETQW " << c.etqwOpen);
        desktop = SimulatedDesktop();
        // Something unrelated is open first, so the lookups cannot just take the first window.
        desktop.createTopLevel("Notepad", "Untitled");
        const Hwnd etqw = c.etqwOpen ? desktop.createEtqwConsole().window : 0;
        const Hwnd et = c.etOpen ? desktop.createEtConsole().window : 0;
        const Hwnd expected = c.found == Et ? et : (c.found == Etqw ? etqw : 0);

        ConsoleLink finder(desktop, pause);
        EXPECT_EQ(finder.fFindConsole(), expected);
        EXPECT_EQ(finder.bIsQW(), c.bIsQW);
        ConsoleLink fresh(desktop, pause);
        EXPECT_EQ(fresh.fConsoleExists(), expected != 0);
        EXPECT_EQ(fresh.bIsQW(), c.bIsQW);
    }
}

TEST_F(ConsoleDiscoveryTest, FlagFollowsEveryLookup) {
    desktop.createEtqwConsole();
    EXPECT_TRUE(link.fConsoleExists());
    EXPECT_TRUE(link.bIsQW());
    const Hwnd et = desktop.createEtConsole().window;
    EXPECT_TRUE(link.fConsoleExists());
    EXPECT_FALSE(link.bIsQW());
    desktop.destroyWindow(et);
    EXPECT_TRUE(link.fConsoleExists());
    EXPECT_TRUE(link.bIsQW());
}

TEST_F(ConsoleDiscoveryTest, EtIsKnownByTitleAndEtqwByClass) {
    desktop.createTopLevel("Other", "ETQW WinConsole");
    desktop.createTopLevel("ET Console", "Some title");
    EXPECT_EQ(link.fFindConsole(), 0u);

    const Hwnd etqw = desktop.createTopLevel("ETQW WinConsole", "Anything at all");
    EXPECT_EQ(link.fFindConsole(), etqw);
    EXPECT_TRUE(link.bIsQW());

    const Hwnd et = desktop.createTopLevel("AnyClass", "ET Console");
    EXPECT_EQ(link.fFindConsole(), et);
    EXPECT_FALSE(link.bIsQW());
}

TEST_F(ConsoleDiscoveryTest, WalkWritesEveryUncaptionedChildBeforeTheFirstCaptionedOne) {
    const Hwnd console = desktop.createTopLevel("WinConsole", "ET Console");
    const Hwnd first = desktop.createInputLine(console);
    // An edit holding text still reads empty: its content is no caption.
    const Hwnd second = desktop.createChild(console, "Edit", "half typed");
    const Hwnd button = desktop.createChild(console, "Button", "copy");
    const Hwnd after = desktop.createInputLine(console);

    link.fSendCommand(u"map oasis");

    EXPECT_EQ(desktop.sentMessages(first),
              (std::vector<Message>{{WM_SETTEXT, 0, desktop.sentMessages(first).at(0).lParam, "map oasis"},
                                    {WM_CHAR, 13, 1, ""}}));
    ASSERT_EQ(desktop.sentMessages(second).size(), 2u);
    EXPECT_EQ(desktop.sentMessages(second)[0].text, "");
    EXPECT_EQ(desktop.sentMessages(second)[1], (Message{WM_CHAR, 13, 1, ""}));
    EXPECT_TRUE(desktop.sentMessages(button).empty());
    EXPECT_TRUE(desktop.sentMessages(after).empty());
    EXPECT_EQ(desktop.executedLineTexts(), (std::vector<std::string>{"map oasis"}));
    EXPECT_EQ(link.sConsoleLine(), u"");
}

TEST_F(ConsoleDiscoveryTest, CaptionedFirstChildEndsTheWalkAndKeepsTheLine) {
    const Hwnd console = desktop.createTopLevel("WinConsole", "ET Console");
    const Hwnd button = desktop.createChild(console, "Button", "copy");
    const Hwnd input = desktop.createInputLine(console);

    link.fSendCommand(u"quit");

    EXPECT_TRUE(desktop.sentMessages(button).empty());
    EXPECT_TRUE(desktop.sentMessages(input).empty());
    EXPECT_TRUE(desktop.executedLines().empty());
    EXPECT_EQ(link.sConsoleLine(), u"quit");
}

} // namespace
} // namespace brassbell
