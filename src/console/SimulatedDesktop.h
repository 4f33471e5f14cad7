#pragma once

#include "console/WindowSystem.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace brassbell {

// A window system in plain C++ that keeps to the Windows rules the console link depends on.
// It serves the tests and, shown through a window of its own, the practice console.
//
// Windows rules kept here:
// - FindWindowA/FindWindowExA compare class and title exactly; a null pointer matches any
//   window, an empty text only a window whose text is empty.
// - Children are enumerated in creation order, each followed by its own children.
// - GetWindowTextA from another process reads a window's caption. The content of an "Edit"
//   control is not a caption, so an input line or a log always reads as "".
// - An input line takes WM_SETTEXT bytes and, on WM_CHAR 13, hands the line it holds to the
//   game as an executed console line and clears itself, also when the line is empty.
// - Posted messages wait in a queue until pump() delivers them, as the game's thread would.
// - A destroyed window is no longer found, and messages to it are ignored.
class SimulatedDesktop final : public WindowSystem {
public:
    struct Message {
        std::uint32_t msg = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
        // For WM_SETTEXT the bytes lParam pointed to at the time, since the pointer does not last.
        std::string text;
        bool operator==(const Message&) const = default;
    };

    struct ExecutedLine {
        Hwnd inputLine = 0;
        std::string line; // the bytes the game received
        bool operator==(const ExecutedLine&) const = default;
    };

    using LineObserver = std::function<void(const ExecutedLine&)>;

    // The windows of one game console, in the order the game creates them.
    struct GameConsole {
        Hwnd window = 0;
        Hwnd input = 0;
        Hwnd button = 0;
        Hwnd log = 0;
    };

    Hwnd createTopLevel(const std::string& className, const std::string& caption);
    Hwnd createChild(Hwnd parent, const std::string& className, const std::string& caption);
    // An "Edit" child that executes its line on Enter, as a console's input line does.
    Hwnd createInputLine(Hwnd parent);
    // Destroys the window and all its children.
    void destroyWindow(Hwnd hWnd);
    bool isWindow(Hwnd hWnd) const;

    // The ET console: found by its title "ET Console".
    GameConsole createEtConsole();
    // The ETQW console: found by its class "ETQW WinConsole", whatever its title.
    GameConsole createEtqwConsole(const std::string& caption = "ETQW Console");

    std::string caption(Hwnd hWnd) const;
    // What an "Edit" control holds; a caption does not count.
    std::string content(Hwnd hWnd) const;
    std::vector<Hwnd> children(Hwnd parent) const;

    const std::vector<Message>& sentMessages(Hwnd hWnd) const;
    // Every message posted to the window, delivered or still waiting.
    const std::vector<Message>& postedMessages(Hwnd hWnd) const;
    std::size_t pendingPostedCount() const { return queue_.size(); }
    // Delivers the messages posted so far, in posting order; returns how many were delivered.
    // Messages posted while pumping wait for the next pump.
    std::size_t pump();

    const std::vector<ExecutedLine>& executedLines() const { return executed_; }
    std::vector<std::string> executedLineTexts() const;
    void setLineObserver(LineObserver observer) { observer_ = std::move(observer); }

    Hwnd FindWindowA(const char* lpClassName, const char* lpWindowName) override;
    Hwnd FindWindowExA(Hwnd hWndParent, Hwnd hWndChildAfter, const char* lpszClass,
                       const char* lpszWindow) override;
    bool EnumChildWindows(Hwnd hWndParent, const EnumChildProc& lpEnumFunc, std::int32_t lParam) override;
    int GetWindowTextA(Hwnd hWnd, char* lpString, int nMaxCount) override;
    std::intptr_t SendMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    bool PostMessageA(Hwnd hWnd, std::uint32_t Msg, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    struct Window {
        Hwnd parent = 0;
        std::string className;
        std::string caption;
        std::string content;
        bool isEdit = false;
        bool executesLines = false;
        std::vector<Hwnd> children;
        std::vector<Message> sent;
        std::vector<Message> posted;
    };
    struct QueuedMessage {
        Hwnd target = 0;
        Message message;
    };

    Hwnd newWindow(Hwnd parent, const std::string& className, const std::string& caption);
    Hwnd findAmong(const std::vector<Hwnd>& candidates, Hwnd after, const char* className,
                   const char* windowName) const;
    void collectDescendants(Hwnd parent, std::vector<Hwnd>& out) const;
    std::intptr_t deliver(Hwnd hWnd, const Message& message);
    const Window* find(Hwnd hWnd) const;
    Window* find(Hwnd hWnd);

    std::map<Hwnd, Window> windows_;
    std::vector<Hwnd> topLevel_;
    std::deque<QueuedMessage> queue_;
    std::vector<ExecutedLine> executed_;
    LineObserver observer_;
    // Handles are never reused, so a handle kept past its window's end finds nothing.
    Hwnd nextHandle_ = 0x00010010;
};

} // namespace brassbell
