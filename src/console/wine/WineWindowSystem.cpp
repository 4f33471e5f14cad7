#include "console/wine/WineWindowSystem.h"

#include "console/wine/BridgeProtocol.h"
#include "console/wine/ChildProcess.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

namespace brassbell {

namespace {

using winbridge::ChildProcess;
using SteadyClock = std::chrono::steady_clock;

WineWindowSystemOptions optionsFor(std::string bridgePath, std::optional<std::string> winePrefix,
                                   std::chrono::milliseconds requestTimeout) {
    WineWindowSystemOptions options;
    options.bridgePath = std::move(bridgePath);
    options.winePrefix = std::move(winePrefix);
    options.requestTimeout = requestTimeout;
    return options;
}

// Closing its input ends the bridge by itself; Wine needs a moment to wind the process down.
constexpr std::chrono::milliseconds kGraceAtEnd{500};

} // namespace

WineWindowSystem::WineWindowSystem(std::string bridgePath, std::optional<std::string> winePrefix,
                                   std::chrono::milliseconds requestTimeout)
    : WineWindowSystem(optionsFor(std::move(bridgePath), std::move(winePrefix), requestTimeout)) {}

WineWindowSystem::WineWindowSystem(WineWindowSystemOptions options)
    : options_(std::move(options)), process_(std::make_unique<ChildProcess>()) {}

WineWindowSystem::~WineWindowSystem() {
    process_->stop(kGraceAtEnd);
}

int WineWindowSystem::processId() const {
    return process_->started() ? static_cast<int>(process_->processId()) : 0;
}

void WineWindowSystem::fail(std::string why) {
    lastFailure_ = std::move(why);
    process_->stop(std::chrono::milliseconds(0));
    state_ = State::Stopped;
    ++failuresInARow_;
    std::chrono::milliseconds wait{0};
    if (failuresInARow_ > 1) {
        wait = options_.retryDelay;
        for (int i = 2; i < failuresInARow_ && wait < options_.longestRetryDelay; ++i) {
            wait *= 2;
        }
        wait = std::min(wait, options_.longestRetryDelay);
    }
    nextStart_ = options_.clock() + wait;
}

bool WineWindowSystem::startIfDue() {
    if (state_ != State::Stopped || options_.clock() < nextStart_) {
        return false;
    }
    ++startAttempts_;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(options_.bridgePath, ignored)) {
        fail("no bridge at " + options_.bridgePath);
        return false;
    }
    std::vector<std::string> argv = options_.launcher;
    argv.push_back(options_.bridgePath);
    ChildProcess::Environment environment;
    if (options_.winePrefix) {
        environment.emplace_back("WINEPREFIX", *options_.winePrefix);
    }
    if (std::getenv("WINEDEBUG") == nullptr) {
        environment.emplace_back("WINEDEBUG", "-all");
    }
    std::string error;
    if (!process_->start(argv, environment, error)) {
        fail(error);
        return false;
    }
    state_ = State::Starting;
    startDeadline_ = SteadyClock::now() + options_.startTimeout;
    return true;
}

bool WineWindowSystem::becomeReady(SteadyClock::time_point deadline) {
    if (state_ != State::Starting) {
        return state_ == State::Ready;
    }
    std::string greeting;
    switch (process_->readLine(greeting, std::min(deadline, startDeadline_))) {
    case ChildProcess::Read::Line:
        if (greeting != winbridge::kGreeting) {
            fail("the bridge speaks another protocol: " + greeting.substr(0, 80));
            return false;
        }
        state_ = State::Ready;
        failuresInARow_ = 0;
        lastFailure_.clear();
        return true;
    case ChildProcess::Read::TimedOut:
        if (SteadyClock::now() >= startDeadline_) {
            fail("the bridge did not start in time");
        }
        return false;
    case ChildProcess::Read::Ended:
        fail("the bridge ended before it was ready");
        return false;
    case ChildProcess::Read::TooLong:
        fail("the bridge greeted with an endless line");
        return false;
    }
    return false;
}

bool WineWindowSystem::waitUntilReady(std::chrono::milliseconds limit) {
    startIfDue();
    return becomeReady(SteadyClock::now() + limit);
}

std::optional<std::string> WineWindowSystem::call(const std::string& request, Restart restart) {
    // The lookup that starts the bridge finds nothing, whether or not the bridge happens to have
    // said hello already: what a lookup finds must not depend on how fast the machine is.
    if (restart == Restart::IfDue && startIfDue()) {
        return std::nullopt;
    }
    if (!becomeReady(SteadyClock::now())) {
        return std::nullopt;
    }
    const auto deadline = SteadyClock::now() + options_.requestTimeout;
    if (!process_->writeAll(request + "\n", deadline)) {
        fail("the bridge took no request");
        return std::nullopt;
    }
    std::string answer;
    switch (process_->readLine(answer, deadline)) {
    case ChildProcess::Read::Line:
        return answer;
    case ChildProcess::Read::TimedOut:
        fail("the bridge did not answer in time");
        break;
    case ChildProcess::Read::Ended:
        fail("the bridge ended");
        break;
    case ChildProcess::Read::TooLong:
        fail("the bridge answered with an endless line");
        break;
    }
    return std::nullopt;
}

Hwnd WineWindowSystem::FindWindowA(const char* lpClassName, const char* lpWindowName) {
    const auto answer = call(winbridge::encodeFind(lpClassName, lpWindowName), Restart::IfDue);
    const auto handle = answer ? winbridge::readNumberAnswer(*answer) : std::nullopt;
    return handle && *handle >= 0 && *handle <= 0xFFFFFFFFLL ? static_cast<Hwnd>(*handle) : 0;
}

Hwnd WineWindowSystem::FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                                     const char* lpszWindow) {
    const auto answer = call(winbridge::encodeFindEx(hWndParent, hWndChildAfter, lpszClass, lpszWindow));
    const auto handle = answer ? winbridge::readNumberAnswer(*answer) : std::nullopt;
    return handle && *handle >= 0 && *handle <= 0xFFFFFFFFLL ? static_cast<Hwnd>(*handle) : 0;
}

bool WineWindowSystem::EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc,
                                        std::int32_t lParam) {
    const auto answer = call(winbridge::encodeChildren(hWndParent));
    const auto children = answer ? winbridge::readHandlesAnswer(*answer) : std::nullopt;
    if (!children) {
        return false;
    }
    for (const Hwnd child : *children) {
        if (lpEnumFunc(child, lParam) == 0) {
            break;
        }
    }
    return true;
}

int WineWindowSystem::GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0) {
        return 0;
    }
    lpString[0] = '\0';
    const auto count = static_cast<std::uint32_t>(
        std::min<std::size_t>(static_cast<std::size_t>(nMaxCount), winbridge::kMaxTextBytes + 1));
    const auto answer = call(winbridge::encodeText(hWnd, count));
    const auto text = answer ? winbridge::readBytesAnswer(*answer) : std::nullopt;
    if (!text) {
        return 0;
    }
    const std::size_t length = std::min<std::size_t>(text->size(), count - 1);
    std::memcpy(lpString, text->data(), length);
    lpString[length] = '\0';
    return static_cast<int>(length);
}

std::intptr_t WineWindowSystem::SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    std::string request;
    if (Msg == WM_SETTEXT) {
        const auto* text = reinterpret_cast<const char*>(lParam);
        const std::size_t length = text == nullptr ? 0 : strnlen(text, winbridge::kMaxTextBytes + 1);
        // Longer than any console's input line can hold: better nothing than a cut command.
        if (length > winbridge::kMaxTextBytes) {
            return 0;
        }
        request = winbridge::encodeSetText(hWnd, std::string_view(text == nullptr ? "" : text, length));
    } else if (Msg == WM_CHAR && wParam <= 0xFFFFFFFFu && lParam >= winbridge::kLowestLParam &&
               lParam <= winbridge::kHighestLParam) {
        request = winbridge::encodeSendChar(hWnd, static_cast<std::uint32_t>(wParam), lParam);
    } else {
        return 0;
    }
    const auto answer = call(request);
    const auto result = answer ? winbridge::readNumberAnswer(*answer) : std::nullopt;
    return result ? static_cast<std::intptr_t>(*result) : 0;
}

bool WineWindowSystem::PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    if (Msg != WM_CHAR || wParam > 0xFFFFFFFFu || lParam < winbridge::kLowestLParam ||
        lParam > winbridge::kHighestLParam) {
        return false;
    }
    const auto answer = call(winbridge::encodePostChar(hWnd, static_cast<std::uint32_t>(wParam), lParam));
    const auto result = answer ? winbridge::readNumberAnswer(*answer) : std::nullopt;
    return result && *result != 0;
}

} // namespace brassbell
