// user32 on the fake game console in a process of its own, as the game's: only captions read.
#include "../WindowSystemContract.h"
#include "FakeGameConsoleProcess.h"
#include "console/win32/Win32SleepPause.h"

#include <utility>

namespace brassbell::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(, WindowSystemTest,
                         ::testing::Values(WorldMaker{
                             "Win32", [] { return std::make_unique<FakeGameConsoleProcess>(); }}));

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
