#include "console/SimulatedDesktop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace brassbell {
namespace {

using Message = SimulatedDesktop::Message;

std::intptr_t address(const char* bytes) {
    return reinterpret_cast<std::intptr_t>(bytes);
}

class SimulatedDesktopTest : public ::testing::Test {
protected:
    SimulatedDesktop desktop;
};

TEST_F(SimulatedDesktopTest, NullMatchesAnyWhileEmptyMatchesOnlyEmpty) {
    const Hwnd titled = desktop.createTopLevel("Frame", "Title");
    const Hwnd untitled = desktop.createTopLevel("Frame", "");
    EXPECT_NE(titled, 0u);
    EXPECT_EQ(desktop.FindWindowA(nullptr, nullptr), titled);
    EXPECT_EQ(desktop.FindWindowA(nullptr, ""), untitled);
    EXPECT_EQ(desktop.FindWindowA("", nullptr), 0u);
    EXPECT_EQ(desktop.FindWindowA("Frame", "Title"), titled);
    EXPECT_EQ(desktop.FindWindowA(nullptr, "Tit"), 0u);
}

TEST_F(SimulatedDesktopTest, FindWindowExSearchesDirectChildrenAfterTheGivenOne) {
    const Hwnd top = desktop.createTopLevel("Frame", "Top");
    const Hwnd panel = desktop.createChild(top, "Panel", "");
    const Hwnd nested = desktop.createChild(panel, "Edit", "");
    const Hwnd edit1 = desktop.createChild(top, "Edit", "");
    const Hwnd edit2 = desktop.createChild(top, "Edit", "");

    EXPECT_EQ(desktop.FindWindowExA(top, 0, "Edit", nullptr), edit1);
    EXPECT_EQ(desktop.FindWindowExA(top, edit1, "Edit", nullptr), edit2);
    EXPECT_EQ(desktop.FindWindowExA(top, edit2, "Edit", nullptr), 0u);
    EXPECT_EQ(desktop.FindWindowExA(panel, 0, "Edit", nullptr), nested);
    EXPECT_EQ(desktop.FindWindowExA(top, nested, "Edit", nullptr), 0u); // not a child of top
    EXPECT_EQ(desktop.FindWindowExA(0, 0, "Frame", nullptr), top);
}

TEST_F(SimulatedDesktopTest, EnumeratesInCreationOrderEachChildBeforeItsOwnAndStopsOnZero) {
    const Hwnd top = desktop.createTopLevel("Frame", "Top");
    const Hwnd a = desktop.createChild(top, "Panel", "a");
    const Hwnd b = desktop.createChild(top, "Panel", "b");
    const Hwnd a1 = desktop.createChild(a, "Static", "a1");
    const Hwnd c = desktop.createChild(top, "Panel", "c");

    std::vector<Hwnd> visited;
    desktop.EnumChildWindows(
        top, [&](Hwnd child, std::int32_t) { return (visited.push_back(child), 1); }, 0);
    EXPECT_EQ(visited, (std::vector<Hwnd>{a, a1, b, c}));

    visited.clear();
    desktop.EnumChildWindows(
        top, [&](Hwnd child, std::int32_t) { return (visited.push_back(child), child == a1 ? 0 : 1); }, 0);
    EXPECT_EQ(visited, (std::vector<Hwnd>{a, a1}));
}

TEST_F(SimulatedDesktopTest, WindowTextIsTheCaptionCutToTheBufferAndEditsReadEmpty) {
    const Hwnd top = desktop.createTopLevel("Frame", std::string(300, 'x'));
    const Hwnd edit = desktop.createChild(top, "Edit", "typed text");
    char buffer[260];
    std::memset(buffer, '#', sizeof buffer);

    EXPECT_EQ(desktop.GetWindowTextA(top, buffer, 260), 259);
    EXPECT_EQ(std::string(buffer), std::string(259, 'x'));
    EXPECT_EQ(desktop.GetWindowTextA(top, buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');

    desktop.SendMessageA(edit, WM_SETTEXT, 0, address("more text"));
    EXPECT_EQ(desktop.GetWindowTextA(edit, buffer, 260), 0);
    EXPECT_EQ(std::string(buffer), "");
    EXPECT_EQ(desktop.content(edit), "more text");
}

TEST_F(SimulatedDesktopTest, InputLineExecutesOnEnterAndClearsEvenWhenEmpty) {
    const auto console = desktop.createEtConsole();
    std::vector<SimulatedDesktop::ExecutedLine> observed;
    desktop.setLineObserver([&](const auto& line) { observed.push_back(line); });

    desktop.SendMessageA(console.input, WM_SETTEXT, 0, address("echo hi"));
    EXPECT_TRUE(desktop.executedLines().empty());
    desktop.SendMessageA(console.input, WM_CHAR, 13, 1);
    EXPECT_EQ(desktop.content(console.input), "");
    desktop.SendMessageA(console.input, WM_CHAR, 13, 1);
    // The log is an edit control too, but Enter there executes nothing.
    desktop.SendMessageA(console.log, WM_SETTEXT, 0, address("log"));
    desktop.SendMessageA(console.log, WM_CHAR, 13, 1);

    const std::vector<SimulatedDesktop::ExecutedLine> expected = {{console.input, "echo hi"},
                                                                  {console.input, ""}};
    EXPECT_EQ(desktop.executedLines(), expected);
    EXPECT_EQ(observed, expected);
}

TEST_F(SimulatedDesktopTest, PostedMessagesWaitForThePumpAndAreRecordedApart) {
    const auto console = desktop.createEtqwConsole();
    desktop.SendMessageA(console.input, WM_SETTEXT, 0, address("kill"));

    EXPECT_TRUE(desktop.PostMessageA(console.input, WM_CHAR, 13, 0x1C0001));
    EXPECT_FALSE(desktop.PostMessageA(console.input, WM_SETTEXT, 0, address("no")));
    EXPECT_TRUE(desktop.executedLines().empty());
    EXPECT_EQ(desktop.postedMessages(console.input), (std::vector<Message>{{WM_CHAR, 13, 0x1C0001, ""}}));
    EXPECT_EQ(desktop.sentMessages(console.input).size(), 1u);

    EXPECT_EQ(desktop.pump(), 1u);
    EXPECT_EQ(desktop.executedLineTexts(), (std::vector<std::string>{"kill"}));
    EXPECT_EQ(desktop.pump(), 0u);
}

TEST_F(SimulatedDesktopTest, DestroyedWindowIsGoneAndARecreatedOneGetsANewHandle) {
    const auto first = desktop.createEtConsole();
    desktop.PostMessageA(first.input, WM_CHAR, 13, 0x1C0001);
    desktop.destroyWindow(first.window);

    EXPECT_EQ(desktop.FindWindowA(nullptr, "ET Console"), 0u);
    EXPECT_FALSE(desktop.isWindow(first.input));
    EXPECT_EQ(desktop.SendMessageA(first.input, WM_CHAR, 13, 1), 0);
    EXPECT_FALSE(desktop.PostMessageA(first.input, WM_CHAR, 13, 1));
    EXPECT_FALSE(desktop.EnumChildWindows(
        first.window, [](Hwnd, std::int32_t) { return 1; }, 0));
    EXPECT_EQ(desktop.pump(), 0u);
    EXPECT_TRUE(desktop.executedLines().empty());

    const auto second = desktop.createEtConsole();
    EXPECT_NE(second.window, first.window);
    EXPECT_NE(second.input, first.input);
    EXPECT_EQ(desktop.FindWindowA(nullptr, "ET Console"), second.window);
}

} // namespace
} // namespace brassbell
