// user32 on the fake game console in a process of its own, as the game's: only captions read.
#include "console/win32/Win32WindowSystem.h"
#include "../WindowSystemContract.h"
#include "console/win32/Win32SleepPause.h"

#include <cstdio>
#include <utility>

namespace brassbell::testing {
namespace {

class Win32World final : public FakeConsoleWorld {
public:
    WindowSystem& windows() override { return windows_; }

    // Closing its input pipe ends the console, and _pclose waits for that. No path holds a blank.
    void open() override {
        const std::string program = _pgmptr;
        std::string command = program.substr(0, program.find_last_of("\\/") + 1) + "fake_game_console.exe";
        for (const auto& log : logs_)
            command += " " + log.path();
        console_ = _popen(command.c_str(), "w");
        if (console_ == nullptr)
            throw std::runtime_error("cannot start " + command);
        waitForWindows();
    }
    void close() override {
        if (console_ != nullptr)
            _pclose(std::exchange(console_, nullptr));
    }
    ~Win32World() override { close(); }

private:
    Win32WindowSystem windows_;
    std::FILE* console_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(, WindowSystemTest,
                         ::testing::Values(WorldMaker{"Win32",
                                                      [] { return std::make_unique<Win32World>(); }}));

TEST(Win32SleepPauseTest, SleepArgumentIsNeverNegativeNorInfinite) {
    using std::chrono::milliseconds;
    // clang-format off
    const std::pair<milliseconds, std::uint32_t> cases[] = {
        {milliseconds(-5), 0u}, {milliseconds(0), 0u}, {milliseconds(300), 300u},
        {milliseconds(0xFFFFFFFELL), 0xFFFFFFFEu}, {milliseconds(0xFFFFFFFFLL), 0xFFFFFFFEu},
        {milliseconds(1LL << 40), 0xFFFFFFFEu}};
    // clang-format on
    for (const auto& [asked, slept] : cases)
        EXPECT_EQ(sleepMilliseconds(asked), slept) << asked.count() << " ms";
}

} // namespace
} // namespace brassbell::testing
