#include "console/SimulatedDesktop.h"

#include <algorithm>
#include <cstring>

namespace brassbell {

namespace {

constexpr const char* kEditClass = "Edit";

bool matches(const char* wanted, const std::string& actual) {
    return wanted == nullptr || actual == wanted;
}

const std::vector<SimulatedDesktop::Message>& noMessages() {
    static const std::vector<SimulatedDesktop::Message> none;
    return none;
}

} // namespace

const SimulatedDesktop::Window* SimulatedDesktop::find(Hwnd hWnd) const {
    const auto it = windows_.find(hWnd);
    return it == windows_.end() ? nullptr : &it->second;
}

SimulatedDesktop::Window* SimulatedDesktop::find(Hwnd hWnd) {
    const auto it = windows_.find(hWnd);
    return it == windows_.end() ? nullptr : &it->second;
}

Hwnd SimulatedDesktop::newWindow(Hwnd parent, const std::string& className, const std::string& caption) {
    const Hwnd handle = nextHandle_++;
    Window window;
    window.parent = parent;
    window.className = className;
    window.isEdit = className == kEditClass;
    // An edit control's creation text is its content, never a caption.
    (window.isEdit ? window.content : window.caption) = caption;
    windows_.emplace(handle, std::move(window));
    return handle;
}

Hwnd SimulatedDesktop::createTopLevel(const std::string& className, const std::string& caption) {
    const Hwnd handle = newWindow(0, className, caption);
    topLevel_.push_back(handle);
    return handle;
}

Hwnd SimulatedDesktop::createChild(Hwnd parent, const std::string& className, const std::string& caption) {
    if (find(parent) == nullptr) {
        return 0;
    }
    const Hwnd handle = newWindow(parent, className, caption);
    find(parent)->children.push_back(handle);
    return handle;
}

Hwnd SimulatedDesktop::createInputLine(Hwnd parent) {
    const Hwnd handle = createChild(parent, kEditClass, "");
    if (Window* window = find(handle)) {
        window->executesLines = true;
    }
    return handle;
}

void SimulatedDesktop::destroyWindow(Hwnd hWnd) {
    Window* window = find(hWnd);
    if (window == nullptr) {
        return;
    }
    for (const Hwnd child : std::vector<Hwnd>(window->children)) {
        destroyWindow(child);
    }
    auto& siblings = window->parent == 0 ? topLevel_ : find(window->parent)->children;
    std::erase(siblings, hWnd);
    std::erase_if(queue_, [hWnd](const QueuedMessage& queued) { return queued.target == hWnd; });
    windows_.erase(hWnd);
}

bool SimulatedDesktop::isWindow(Hwnd hWnd) const {
    return find(hWnd) != nullptr;
}

SimulatedDesktop::GameConsole SimulatedDesktop::createEtConsole() {
    GameConsole console;
    console.window = createTopLevel("WinConsole", "ET Console");
    console.input = createInputLine(console.window);
    console.button = createChild(console.window, "Button", "copy");
    console.log = createChild(console.window, kEditClass, "");
    return console;
}

SimulatedDesktop::GameConsole SimulatedDesktop::createEtqwConsole(const std::string& caption) {
    GameConsole console;
    console.window = createTopLevel("ETQW WinConsole", caption);
    console.input = createInputLine(console.window);
    console.button = createChild(console.window, "Button", "copy");
    console.log = createChild(console.window, kEditClass, "");
    return console;
}

std::string SimulatedDesktop::caption(Hwnd hWnd) const {
    const Window* window = find(hWnd);
    return window == nullptr ? std::string() : window->caption;
}

std::string SimulatedDesktop::content(Hwnd hWnd) const {
    const Window* window = find(hWnd);
    return window == nullptr ? std::string() : window->content;
}

std::vector<Hwnd> SimulatedDesktop::children(Hwnd parent) const {
    const Window* window = find(parent);
    return window == nullptr ? std::vector<Hwnd>() : window->children;
}

const std::vector<SimulatedDesktop::Message>& SimulatedDesktop::sentMessages(Hwnd hWnd) const {
    const Window* window = find(hWnd);
    return window == nullptr ? noMessages() : window->sent;
}

const std::vector<SimulatedDesktop::Message>& SimulatedDesktop::postedMessages(Hwnd hWnd) const {
    const Window* window = find(hWnd);
    return window == nullptr ? noMessages() : window->posted;
}

std::vector<std::string> SimulatedDesktop::executedLineTexts() const {
    std::vector<std::string> lines;
    lines.reserve(executed_.size());
    for (const auto& executed : executed_) {
        lines.push_back(executed.line);
    }
    return lines;
}

std::size_t SimulatedDesktop::pump() {
    std::size_t delivered = 0;
    for (std::size_t waiting = queue_.size(); waiting > 0 && !queue_.empty(); --waiting) {
        const QueuedMessage queued = std::move(queue_.front());
        queue_.pop_front();
        deliver(queued.target, queued.message);
        ++delivered;
    }
    return delivered;
}

Hwnd SimulatedDesktop::findAmong(const std::vector<Hwnd>& candidates, Hwnd after, const char* className,
                                 const char* windowName) const {
    auto it = candidates.begin();
    if (after != 0) {
        it = std::find(candidates.begin(), candidates.end(), after);
        if (it == candidates.end()) {
            return 0;
        }
        ++it;
    }
    for (; it != candidates.end(); ++it) {
        const Window& window = *find(*it);
        if (matches(className, window.className) && matches(windowName, window.caption)) {
            return *it;
        }
    }
    return 0;
}

Hwnd SimulatedDesktop::FindWindowA(const char* lpClassName, const char* lpWindowName) {
    return findAmong(topLevel_, 0, lpClassName, lpWindowName);
}

Hwnd SimulatedDesktop::FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                                     const char* lpszWindow) {
    if (hWndParent == 0) {
        return findAmong(topLevel_, hWndChildAfter, lpszClass, lpszWindow);
    }
    const Window* parent = find(hWndParent);
    return parent == nullptr ? 0 : findAmong(parent->children, hWndChildAfter, lpszClass, lpszWindow);
}

void SimulatedDesktop::collectDescendants(Hwnd parent, std::vector<Hwnd>& out) const {
    for (const Hwnd child : find(parent)->children) {
        out.push_back(child);
        collectDescendants(child, out);
    }
}

bool SimulatedDesktop::EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc,
                                        std::int32_t lParam) {
    if (find(hWndParent) == nullptr) {
        return false;
    }
    // The list is taken first, as Windows does, so the callback may create or destroy windows;
    // a window destroyed meanwhile is skipped.
    std::vector<Hwnd> descendants;
    collectDescendants(hWndParent, descendants);
    for (const Hwnd child : descendants) {
        if (find(child) != nullptr && lpEnumFunc(child, lParam) == 0) {
            break;
        }
    }
    return true;
}

int SimulatedDesktop::GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0) {
        return 0;
    }
    const Window* window = find(hWnd);
    const std::string text = window == nullptr ? std::string() : window->caption;
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(nMaxCount - 1));
    std::memcpy(lpString, text.data(), copied);
    lpString[copied] = '\0';
    return static_cast<int>(copied);
}

std::intptr_t SimulatedDesktop::SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    Window* window = find(hWnd);
    if (window == nullptr) {
        return 0;
    }
    Message message{Msg, wParam, lParam, {}};
    if (Msg == WM_SETTEXT && lParam != 0) {
        message.text = reinterpret_cast<const char*>(lParam);
    }
    window->sent.push_back(message);
    return deliver(hWnd, message);
}

bool SimulatedDesktop::PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    Window* window = find(hWnd);
    // A message carrying a pointer cannot wait in a queue: Windows refuses to post it.
    if (window == nullptr || Msg == WM_SETTEXT) {
        return false;
    }
    const Message message{Msg, wParam, lParam, {}};
    window->posted.push_back(message);
    queue_.push_back({hWnd, message});
    return true;
}

std::intptr_t SimulatedDesktop::deliver(Hwnd hWnd, const Message& message) {
    Window* window = find(hWnd);
    if (window == nullptr) {
        return 0;
    }
    if (message.msg == WM_SETTEXT) {
        (window->isEdit ? window->content : window->caption) = message.text;
        return 1;
    }
    if (message.msg == WM_CHAR && message.wParam == 13 && window->executesLines) {
        ExecutedLine executed{hWnd, std::move(window->content)};
        window->content.clear();
        executed_.push_back(executed);
        // Last, since the observer may create or destroy windows.
        if (observer_) {
            observer_(executed);
        }
    }
    return 0;
}

} // namespace brassbell
