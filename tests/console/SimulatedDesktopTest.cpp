#include "console/SimulatedDesktop.h"
#include "WindowSystemContract.h"

#include <algorithm>

namespace brassbell::testing {
namespace {

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
