#include "winbridge/BridgeServer.h"

#include "console/wine/BridgeProtocol.h"

#include <algorithm>
#include <array>
#include <vector>

namespace brassbell::winbridge {

namespace {

std::string serveRequest(const Request& request, WindowSystem& windows) {
    const auto cString = [](const std::optional<std::string>& text) {
        return text ? text->c_str() : nullptr;
    };
    switch (request.operation) {
    case Operation::Find:
        return answerNumber(windows.FindWindowA(cString(request.className), cString(request.windowName)));
    case Operation::FindEx:
        return answerNumber(windows.FindWindowExA(request.window, request.after, cString(request.className),
                                                  cString(request.windowName)));
    case Operation::Children: {
        std::vector<Hwnd> children;
        windows.EnumChildWindows(
            request.window,
            [&children](Hwnd child, std::int32_t) {
                children.push_back(child);
                return children.size() < kMaxChildren ? 1 : 0;
            },
            0);
        return answerHandles(children);
    }
    case Operation::Text: {
        std::vector<char> buffer(request.count, '\0');
        const int copied =
            windows.GetWindowTextA(request.window, buffer.data(), static_cast<int>(request.count));
        const auto length =
            static_cast<std::size_t>(std::clamp(copied, 0, static_cast<int>(request.count) - 1));
        return answerBytes(std::string_view(buffer.data(), length));
    }
    case Operation::SetText:
        return answerNumber(windows.SendMessageA(request.window, WM_SETTEXT, 0,
                                                 reinterpret_cast<std::intptr_t>(request.text.c_str())));
    case Operation::SendChar:
        return answerNumber(windows.SendMessageA(request.window, WM_CHAR, request.wParam,
                                                 static_cast<std::intptr_t>(request.lParam)));
    case Operation::PostChar:
        return answerNumber(windows.PostMessageA(request.window, WM_CHAR, request.wParam,
                                                 static_cast<std::intptr_t>(request.lParam))
                                ? 1
                                : 0);
    }
    return answerError(kUnknown);
}

bool writeLine(const WriteLine& write, std::string line) {
    line += '\n';
    return write(line);
}

} // namespace

std::string answerRequest(std::string_view line, WindowSystem& windows) {
    const auto parsed = parseRequest(line);
    if (!parsed.request) {
        return answerError(parsed.error);
    }
    return serveRequest(*parsed.request, windows);
}

void serve(const ReadBytes& read, const WriteLine& write, WindowSystem& windows) {
    if (!writeLine(write, std::string(kGreeting))) {
        return;
    }
    LineBuffer lines;
    std::array<char, 64 * 1024> buffer{};
    for (;;) {
        const std::size_t got = read(buffer.data(), buffer.size());
        if (got == 0) {
            if (lines.holdsPartialLine()) {
                writeLine(write, answerError(kTruncated));
            }
            return;
        }
        lines.append(std::string_view(buffer.data(), got));
        while (auto line = lines.next()) {
            const std::string answer =
                line->tooLong ? answerError(kTooLong) : answerRequest(line->text, windows);
            if (!writeLine(write, answer)) {
                return;
            }
        }
    }
}

} // namespace brassbell::winbridge
