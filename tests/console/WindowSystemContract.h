#pragma once

// The Windows behaviour the console link relies on, proven on every window system, each world
// opening the consoles of ConsoleWorld.h.
#include "ConsoleWorld.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace brassbell::testing {

class WindowSystemTest : public ::testing::TestWithParam<WorldMaker> {
protected:
    void SetUp() override {
        world_ = GetParam().make();
        if (world_ == nullptr)
            GTEST_SKIP() << GetParam().missing;
        world_->open();
    }

    std::string text(Hwnd window, int size = 260) {
        // The string's own NUL after the bytes offered shows a text left without one.
        std::string buffer(static_cast<std::size_t>(size), '#');
        const int copied = windows().GetWindowTextA(window, buffer.data(), size);
        EXPECT_EQ(std::strlen(buffer.c_str()), static_cast<std::size_t>(copied));
        return buffer.c_str();
    }
    Hwnd inputLineOf(const char* className, const char* title) {
        return windows().FindWindowExA(windows().FindWindowA(className, title), 0, "Edit", nullptr);
    }
    void setText(Hwnd window, const std::string& bytes) {
        windows().SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(bytes.c_str()));
    }
    WindowSystem& windows() { return world_->windows(); }

    std::unique_ptr<ConsoleWorld> world_;
};

inline void PrintTo(const WorldMaker& maker, std::ostream* os) {
    *os << maker.name;
}

TEST_P(WindowSystemTest, FindsTopLevelWindowsByExactTitleOrExactClassAndReadsTheirTitlesCut) {
    // Class, title, the title of the window found: null matches any, an empty text only itself.
    // clang-format off
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {nullptr, "ET Console", "ET Console"}, {"ETQW WinConsole", nullptr, "ETQW Console"},
        {"ETQW WinConsole", "ETQW Console", "ETQW Console"}, {nullptr, "ETQW WinConsole", "ETQW WinConsole"},
        {"ETQW WinConsole", "", ""}, {nullptr, "ET Consol", ""}, {"ETQW WinConsol", nullptr, ""}};
    // clang-format on
    for (const auto& [className, title, expected] : cases) {
        const Hwnd found = windows().FindWindowA(className, title);
        EXPECT_EQ(found == 0 ? "(none)" : text(found), expected.empty() ? "(none)" : expected)
            << (className ? className : "null") << ", " << (title ? title : "null");
    }
    // A title is cut to the buffer and ends in NUL.
    const Hwnd console = windows().FindWindowA(nullptr, "ET Console");
    for (const auto& [size, expected] :
         {std::pair{260, "ET Console"}, {11, "ET Console"}, {10, "ET Consol"}, {1, ""}})
        EXPECT_EQ(text(console, size), expected) << size;
}

TEST_P(WindowSystemTest, ChildrenComeInTheGamesOrderUntilTheCallbackSaysStop) {
    const Hwnd console = windows().FindWindowA(nullptr, "ET Console");
    std::vector<Hwnd> children;
    std::string seen;
    const auto note = [&](Hwnd child, std::int32_t lParam) {
        return (children.push_back(child), seen += text(child) + "/" + std::to_string(lParam) + " ", 1);
    };
    windows().EnumChildWindows(console, note, -7);
    ASSERT_EQ(seen, "/-7 copy/-7 /-7 ");

    std::vector<Hwnd> untilStopped;
    windows().EnumChildWindows(
        console,
        [&](Hwnd child, std::int32_t) { return (untilStopped.push_back(child), child != children[1]); }, 0);
    EXPECT_EQ(untilStopped, std::vector<Hwnd>(children.begin(), children.begin() + 2));
    int visits = 0;
    const auto throwing = [&](Hwnd, std::int32_t) -> std::int32_t {
        ++visits;
        throw std::runtime_error("stop");
    };
    EXPECT_THROW(windows().EnumChildWindows(console, throwing, 0), std::runtime_error);
    EXPECT_EQ(visits, 1);

    EXPECT_EQ(windows().FindWindowExA(console, 0, "Edit", nullptr), children[0]);
    EXPECT_EQ(windows().FindWindowExA(console, children[0], "Edit", nullptr), children[2]);
    EXPECT_EQ(windows().FindWindowExA(console, children[2], "Edit", nullptr), 0u);
    EXPECT_EQ(windows().FindWindowExA(console, 0, nullptr, "copy"), children[1]);
    EXPECT_EQ(windows().FindWindowExA(console, inputLineOf("ETQW WinConsole", nullptr), "Edit", nullptr), 0u);
    EXPECT_EQ(windows().FindWindowExA(0, 0, nullptr, "ET Console"), console);
}

TEST_P(WindowSystemTest, InputLineExecutesItsBytesOnASentOrPostedEnterAndEmptiesItself) {
    const Hwnd input = inputLineOf(nullptr, "ET Console");
    const Hwnd log =
        windows().FindWindowExA(windows().FindWindowA(nullptr, "ET Console"), input, "Edit", nullptr);
    const std::string line = "say caf\xE9 5\x80 \xFF";

    setText(input, line);
    EXPECT_EQ(world_->executed(Console::Et, ""), "");
    windows().SendMessageA(input, WM_CHAR, 13, 1);
    windows().SendMessageA(input, WM_CHAR, 13, 1);
    // The log is an edit control too, but Enter there executes nothing.
    setText(log, "echo log");
    windows().SendMessageA(log, WM_CHAR, 13, 1);
    EXPECT_EQ(world_->executed(Console::Et, line + "\n\n"), line + "\n\n");

    // A posted Enter reaches the game through its own queue; a message that carries a pointer
    // cannot wait in one.
    const Hwnd qwInput = inputLineOf("ETQW WinConsole", nullptr);
    setText(qwInput, "kill");
    EXPECT_FALSE(windows().PostMessageA(qwInput, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>("no")));
    EXPECT_TRUE(windows().PostMessageA(qwInput, WM_CHAR, 13, 0x1C0001));
    EXPECT_EQ(world_->executed(Console::Etqw, "kill\n"), "kill\n");
}

TEST_P(WindowSystemTest, AClosedConsoleIsGoneAndTakesNothing) {
    const Hwnd console = windows().FindWindowA(nullptr, "ET Console");
    const Hwnd input = inputLineOf(nullptr, "ET Console");
    world_->close();

    EXPECT_EQ(windows().FindWindowA(nullptr, "ET Console"), 0u);
    EXPECT_EQ(text(console), "");
    int visits = 0;
    windows().EnumChildWindows(
        console, [&](Hwnd, std::int32_t) { return ++visits; }, 0);
    EXPECT_EQ(visits, 0);
    EXPECT_EQ(windows().SendMessageA(input, WM_CHAR, 13, 1), 0);
    EXPECT_FALSE(windows().PostMessageA(input, WM_CHAR, 13, 1));
}

TEST_P(WindowSystemTest, ConsoleLinkTypesIntoEtInWindows1252Bytes) {
    RecordingPause pause;
    ConsoleLink link(windows(), pause);
    link.fSendCommand(u"bind x \"say caf\u00e9 5\u20ac\"");
    // Two full chat pieces, whose letters show where each piece starts and ends.
    std::string chat;
    for (int i = 0; i < 278; ++i)
        chat += static_cast<char>('a' + i % 26);
    link.fSay2All(std::u16string(chat.begin(), chat.end()));

    const std::string expected =
        "bind x \"say caf\xE9 5\x80\"\nsay " + chat.substr(0, 139) + "\nsay " + chat.substr(139) + "\n";
    EXPECT_EQ(world_->executed(Console::Et, expected), expected);
    EXPECT_EQ(world_->executed(Console::Etqw, ""), "");
    EXPECT_EQ(pause.count(), 3u);
}

} // namespace brassbell::testing
