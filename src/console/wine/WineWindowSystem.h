#pragma once

#include "console/WindowSystem.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brassbell {

namespace winbridge {
class ChildProcess;
}

struct WineWindowSystemOptions {
    using Clock = std::chrono::steady_clock;

    // brassbell-winbridge.exe, normally beside Brassbell's own executable.
    std::string bridgePath;
    // The Wine prefix the game runs in; without one, the user's WINEPREFIX (or Wine's default).
    std::optional<std::string> winePrefix;
    // The longest one call waits for the bridge's answer before it is given up.
    std::chrono::milliseconds requestTimeout{1500};
    // Wine may need this long to start, the first time in a fresh prefix even longer.
    std::chrono::milliseconds startTimeout{60'000};
    // After the first failure in a row the next lookup starts the bridge again at once; after
    // each further one the wait doubles from retryDelay, up to longestRetryDelay.
    std::chrono::milliseconds retryDelay{1000};
    std::chrono::milliseconds longestRetryDelay{30'000};
    // What runs the bridge: Wine, normally; nothing runs bridgePath itself.
    std::vector<std::string> launcher{"wine"};
    // When the waits between attempts are measured; tests move it by hand.
    std::function<Clock::time_point()> clock = [] { return Clock::now(); };
};

// The window system of games run under Wine, for Brassbell built for Linux: each call goes to
// brassbell-winbridge.exe, which runs in the game's Wine prefix and makes it there. The child
// walk runs here, over the list of children the bridge returns.
//
// Wine takes seconds to start, so the lookup that starts the bridge finds nothing; later
// lookups find the consoles once the bridge has said hello, and no lookup ever waits for Wine to
// start. A bridge that is missing, fails to start, dies or does not answer within requestTimeout
// is stopped and every call finds nothing (0, false, an empty text) until a later lookup of a
// top-level window has started it again. Only such a lookup starts it: the other calls carry on
// a walk that began with the bridge that failed, and an Enter sent through a new bridge would
// run whatever the game's input line holds.
class WineWindowSystem final : public WindowSystem {
public:
    WineWindowSystem(std::string bridgePath, std::optional<std::string> winePrefix = std::nullopt,
                     std::chrono::milliseconds requestTimeout = std::chrono::milliseconds(1500));
    explicit WineWindowSystem(WineWindowSystemOptions options);
    ~WineWindowSystem() override;
    WineWindowSystem(const WineWindowSystem&) = delete;
    WineWindowSystem& operator=(const WineWindowSystem&) = delete;

    // The file name the bridge has beside Brassbell's executable.
    static constexpr const char* kBridgeFileName = "brassbell-winbridge.exe";

    // Starts the bridge if it is not running and waits at most `limit` for it to be ready.
    bool waitUntilReady(std::chrono::milliseconds limit);
    bool ready() const { return state_ == State::Ready; }
    // The running bridge's process id, 0 when none runs.
    int processId() const;
    // How often a start was attempted, and why the last attempt or request failed.
    int startAttempts() const { return startAttempts_; }
    const std::string& lastFailure() const { return lastFailure_; }

    Hwnd FindWindowA(const char* lpClassName, const char* lpWindowName) override;
    Hwnd FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                       const char* lpszWindow) override;
    bool EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc, std::int32_t lParam) override;
    int GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) override;
    // Only WM_SETTEXT and WM_CHAR reach the game; any other message does nothing and gives 0.
    std::intptr_t SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    // Only WM_CHAR reaches the game.
    bool PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    enum class State { Stopped, Starting, Ready };

    // A stopped bridge is started again by a lookup of a top-level window only.
    enum class Restart { IfDue, Never };

    // The answer line to one request, or nothing when the bridge is not ready or failed.
    std::optional<std::string> call(const std::string& request, Restart restart = Restart::Never);
    // Moves a starting bridge on without waiting longer than `deadline`; true once it is ready.
    bool becomeReady(std::chrono::steady_clock::time_point deadline);
    // Starts a stopped bridge when the wait after the last failure is over; true when this call
    // started one.
    bool startIfDue();
    void fail(std::string why);

    WineWindowSystemOptions options_;
    std::unique_ptr<winbridge::ChildProcess> process_;
    State state_ = State::Stopped;
    std::chrono::steady_clock::time_point startDeadline_{};
    std::chrono::steady_clock::time_point nextStart_{};
    int failuresInARow_ = 0;
    int startAttempts_ = 0;
    std::string lastFailure_;
};

} // namespace brassbell
