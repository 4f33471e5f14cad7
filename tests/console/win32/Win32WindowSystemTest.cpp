// The real user32 calls behind the console link, proven on the fake game console running in a
// process of its own, as the game's would: seen from there, only captions can be read.
// The console link's headers come before <windows.h>, whose macros share their message names.
#include "console/win32/Win32WindowSystem.h"
#include "../WindowSystemContract.h"
#include "console/win32/Win32SleepPause.h"

#include <windows.h>

#include <utility>

namespace brassbell::testing {
namespace {

class Win32World final : public FakeConsoleWorld {
public:
    WindowSystem& windows() override { return windows_; }

    // Starts fake_game_console.exe from this program's folder; closing our end of its input ends it.
    void open() override {
        std::string commandLine = "fake_game_console.exe";
        for (const auto& log : logs([](std::string path) { return path; }))
            commandLine += " \"" + log + "\"";
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        HANDLE theirs = nullptr;
        if (!CreatePipe(&theirs, &input_, &inheritable, 0))
            throw std::runtime_error("cannot make a pipe");
        SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = theirs;
        const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                            nullptr, &startup, &process_);
        CloseHandle(theirs);
        if (!started)
            throw std::runtime_error("cannot start " + commandLine);
        waitForWindows();
    }
    void close() override {
        if (input_ == nullptr)
            return;
        CloseHandle(std::exchange(input_, nullptr));
        WaitForSingleObject(process_.hProcess, 30000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    ~Win32World() override { close(); }

private:
    Win32WindowSystem windows_;
    HANDLE input_ = nullptr;
    PROCESS_INFORMATION process_{};
};

INSTANTIATE_TEST_SUITE_P(, WindowSystemTest, ::testing::Values(WorldMaker{"Win32", makeWorld<Win32World>}));

TEST(Win32SleepPauseTest, SleepArgumentIsNeverNegativeNorInfinite) {
    using std::chrono::milliseconds;
    const std::pair<milliseconds, std::uint32_t> cases[] = {{milliseconds(-5), 0u},
                                                            {milliseconds(0), 0u},
                                                            {milliseconds(300), 300u},
                                                            {milliseconds(0xFFFFFFFELL), 0xFFFFFFFEu},
                                                            {milliseconds(0xFFFFFFFFLL), 0xFFFFFFFEu},
                                                            {milliseconds(1LL << 40), 0xFFFFFFFEu}};
    for (const auto& [asked, slept] : cases)
        EXPECT_EQ(sleepMilliseconds(asked), slept) << asked.count() << " ms";
}

} // namespace
} // namespace brassbell::testing
