// WineWindowSystem and brassbell-winbridge.exe meet the contract on the fake game console under
// Wine; skipped unless BRASSBELL_WIN_BIN names the cross build's bin folder.
#include "../WindowSystemContract.h"
#include "console/wine/ChildProcess.h"
#include "console/wine/WineWindowSystem.h"

#include <algorithm>
#include <cstdlib>

namespace brassbell::testing {
namespace {

using namespace std::chrono_literals;

// Wine on a busy machine; a passing run waits for none of this in full.
constexpr auto kWineStartLimit = 120s;

std::string winBin() {
    const char* folder = std::getenv("BRASSBELL_WIN_BIN");
    return folder == nullptr ? std::string() : std::string(folder) + "/";
}

// One bridge for the whole run, as Brassbell keeps one.
WineWindowSystem& bridge() {
    static WineWindowSystem bridge(winBin() + WineWindowSystem::kBridgeFileName, std::nullopt, 5s);
    return bridge;
}

class BridgeWorld final : public FakeConsoleWorld {
public:
    WindowSystem& windows() override { return bridge(); }
    void open() override {
        if (!bridge().waitUntilReady(kWineStartLimit))
            throw std::runtime_error("the bridge is not ready: " + bridge().lastFailure());
        std::vector<std::string> argv = {"wine", winBin() + "fake_game_console.exe"};
        for (const auto& log : logs_) {
            // The same file as Wine's programs name it: its Z: drive is the Linux root.
            argv.push_back("Z:" + log.path());
            std::replace(argv.back().begin(), argv.back().end(), '/', '\\');
        }
        std::string error;
        if (!console_.start(argv, {}, error))
            throw std::runtime_error(error);
        waitForWindows();
    }
    // A console ended by closing its input leaves no window behind for the next case to find.
    void close() override { console_.stop(30s); }
    ~BridgeWorld() override { close(); }

private:
    winbridge::ChildProcess console_;
};

std::unique_ptr<ConsoleWorld> makeBridgeWorld() {
    return winBin().empty() ? nullptr : std::make_unique<BridgeWorld>();
}

INSTANTIATE_TEST_SUITE_P(, WindowSystemTest,
                         ::testing::Values(WorldMaker{
                             "Wine", makeBridgeWorld,
                             "BRASSBELL_WIN_BIN is not set: run scripts/test-winbridge"}));

} // namespace
} // namespace brassbell::testing
