// The user32 calls behind the console link, on windows this test makes in its own process.
#include "console/win32/Win32WindowSystem.h"
#include "console/win32/Win32Handles.h"
#include "console/win32/Win32SleepPause.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace brassbell {
namespace {

constexpr const char* kTestClass = "BrassbellWin32WindowSystemTest";

std::vector<UINT> receivedAppMessages;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < WM_APP)
        return DefWindowProcA(window, message, wParam, lParam);
    receivedAppMessages.push_back(message);
    return 0;
}

class Win32WindowSystemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = recordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kTestClass;
        RegisterClassA(&windowClass);
    }

    void SetUp() override { receivedAppMessages.clear(); }

    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            DestroyWindow(*it);
    }

    HWND topLevel(const char* title) {
        return made_.emplace_back(CreateWindowExA(0, kTestClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    }

    static Hwnd child(HWND parent, const char* className, const char* text) {
        return toHwnd(CreateWindowExA(0, className, text, WS_CHILD, 0, 0, 100, 20, parent, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
    }

    std::string textOf(Hwnd window) {
        char buffer[260];
        return std::string(buffer, static_cast<std::size_t>(windows_.GetWindowTextA(window, buffer, 260)));
    }

    Win32WindowSystem windows_;

private:
    std::vector<HWND> made_;
};

TEST_F(Win32WindowSystemTest, FindWindowMatchesExactlyWhatIsNamedAndAnythingForANullPointer) {
    const HWND titled = topLevel("Brassbell finds me");
    ASSERT_NE(titled, nullptr);

    EXPECT_EQ(windows_.FindWindowA(nullptr, "Brassbell finds me"), toHwnd(titled));
    EXPECT_EQ(windows_.FindWindowA(kTestClass, nullptr), toHwnd(titled));
    EXPECT_EQ(windows_.FindWindowA(kTestClass, "Brassbell finds me"), toHwnd(titled));
    EXPECT_EQ(windows_.FindWindowA(kTestClass, ""), 0u) << "an empty title is a title, not a wildcard";
    EXPECT_EQ(windows_.FindWindowA(nullptr, "Brassbell finds"), 0u);
    EXPECT_EQ(windows_.FindWindowA("BrassbellNoSuchClass", nullptr), 0u);
}

TEST_F(Win32WindowSystemTest, FindWindowExWalksTheDirectChildrenOfAClassWhoseHandlesSurviveThirtyTwoBits) {
    const HWND frame = topLevel("children");
    ASSERT_NE(child(frame, "Button", "copy"), 0u);
    const Hwnd firstEdit = child(frame, "Edit", "");
    const Hwnd secondEdit = child(frame, "Edit", "");

    const Hwnd parent = toHwnd(frame);
    EXPECT_EQ(windows_.FindWindowExA(parent, 0, "Edit", nullptr), firstEdit);
    EXPECT_EQ(windows_.FindWindowExA(parent, firstEdit, "Edit", nullptr), secondEdit);
    EXPECT_EQ(windows_.FindWindowExA(parent, secondEdit, "Edit", nullptr), 0u);
    EXPECT_EQ(windows_.FindWindowExA(parent, 0, "ListBox", nullptr), 0u);
    EXPECT_EQ(toHWND(parent), frame);
    EXPECT_EQ(toHwnd(toHWND(firstEdit)), firstEdit);
    EXPECT_EQ(toHwnd(nullptr), 0u);
    EXPECT_EQ(toHWND(0), nullptr);
}

TEST_F(Win32WindowSystemTest, EnumChildWindowsCallsBackInCreationOrderUntilToldToStop) {
    const HWND frame = topLevel("walk");
    const std::vector<Hwnd> children = {child(frame, "Edit", ""), child(frame, "Button", "copy"),
                                        child(frame, "Edit", "")};

    std::vector<Hwnd> all;
    std::vector<std::int32_t> passed;
    const auto noteAll = [&](Hwnd window, std::int32_t lParam) {
        all.push_back(window);
        passed.push_back(lParam);
        return 1;
    };
    windows_.EnumChildWindows(toHwnd(frame), noteAll, -7);
    EXPECT_EQ(all, children);
    EXPECT_EQ(passed, std::vector<std::int32_t>(3, -7));

    std::vector<Hwnd> untilStopped;
    const auto stopAtTwo = [&](Hwnd window, std::int32_t) {
        untilStopped.push_back(window);
        return untilStopped.size() < 2 ? 1 : 0;
    };
    windows_.EnumChildWindows(toHwnd(frame), stopAtTwo, 0);
    EXPECT_EQ(untilStopped, std::vector<Hwnd>(children.begin(), children.begin() + 2));
}

TEST_F(Win32WindowSystemTest, AnExceptionInTheCallbackEndsTheWalkAndReachesTheCaller) {
    const HWND frame = topLevel("throwing walk");
    child(frame, "Edit", "");
    child(frame, "Edit", "");

    int visits = 0;
    const auto throwing = [&](Hwnd, std::int32_t) -> std::int32_t {
        ++visits;
        throw std::runtime_error("stop here");
    };
    EXPECT_THROW(windows_.EnumChildWindows(toHwnd(frame), throwing, 0), std::runtime_error);
    EXPECT_EQ(visits, 1);
}

TEST_F(Win32WindowSystemTest, GetWindowTextCopiesAtMostOneLessThanAskedEndsWithNulAndReadsGoneWindowsEmpty) {
    const HWND frame = topLevel("0123456789");
    char buffer[260];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(windows_.GetWindowTextA(toHwnd(frame), buffer, 5), 4);
    EXPECT_STREQ(buffer, "0123");
    EXPECT_EQ(textOf(toHwnd(frame)), "0123456789");

    DestroyWindow(frame);
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(windows_.GetWindowTextA(toHwnd(frame), buffer, 260), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(Win32WindowSystemTest, SendMessageSetsTheAnsiBytesAndTypesCharacters) {
    const Hwnd edit = child(topLevel("send"), "Edit", "");
    windows_.SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>("say caf\xE9"));
    EXPECT_EQ(textOf(edit), "say caf\xE9");

    windows_.SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(""));
    windows_.SendMessageA(edit, WM_CHAR, 'k', 1);
    windows_.SendMessageA(edit, WM_CHAR, 0xE9, 1);
    EXPECT_EQ(textOf(edit), "k\xE9");
}

TEST_F(Win32WindowSystemTest, PostMessageQueuesTheMessageForTheWindowsThread) {
    const HWND frame = topLevel("post");
    EXPECT_TRUE(windows_.PostMessageA(toHwnd(frame), WM_APP + 5, 13, 0x1C0001));
    EXPECT_TRUE(receivedAppMessages.empty()) << "a posted message waits for the queue to be read";

    MSG message;
    while (PeekMessageA(&message, frame, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(receivedAppMessages, std::vector<UINT>{WM_APP + 5});
    EXPECT_FALSE(windows_.PostMessageA(0xDEAD, WM_APP, 0, 0)) << "there is no such window";
}

TEST(Win32SleepPauseTest, SleepArgumentIsNeverNegativeNorInfinite) {
    using std::chrono::milliseconds;
    const struct {
        milliseconds asked;
        std::uint32_t slept;
    } cases[] = {{milliseconds(-5), 0u},
                 {milliseconds(0), 0u},
                 {milliseconds(300), 300u},
                 {milliseconds(0xFFFFFFFELL), 0xFFFFFFFEu},
                 {milliseconds(0xFFFFFFFFLL), 0xFFFFFFFEu},
                 {milliseconds(1LL << 40), 0xFFFFFFFEu}};
    for (const auto& c : cases)
        EXPECT_EQ(sleepMilliseconds(c.asked), c.slept) << c.asked.count() << " ms";
}

} // namespace
} // namespace brassbell
