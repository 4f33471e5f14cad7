#include "FakeConsoleProcess.h"

#include <stdexcept>
#include <utility>

namespace brassbell {

namespace {

std::string folderOfThisProgram() {
    std::string path(MAX_PATH, '\0');
    path.resize(GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string quoted(const std::string& argument) {
    std::string result = "\"";
    for (const char c : argument)
        result += c == '"' ? std::string("\\\"") : std::string(1, c);
    return result + "\"";
}

// A pipe whose one end stays ours and whose other end the child inherits.
void pipe(HANDLE& ours, HANDLE& theirs, bool theyRead) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE ends[2] = {};
    if (!CreatePipe(&ends[0], &ends[1], &inheritable, 0))
        throw std::runtime_error("cannot make a pipe");
    ours = ends[theyRead ? 1 : 0];
    theirs = ends[theyRead ? 0 : 1];
    SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);
}

} // namespace

FakeConsoleProcess::FakeConsoleProcess(const std::vector<std::string>& arguments) {
    std::string commandLine = quoted(folderOfThisProgram() + "fake_game_console.exe");
    for (const auto& argument : arguments)
        commandLine += " " + quoted(argument);

    HANDLE childInput = nullptr;
    HANDLE childOutput = nullptr;
    pipe(toConsole_, childInput, true);
    pipe(fromConsole_, childOutput, false);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process_);
    // Only the child holds these now, so its end is seen as the end of the pipes.
    CloseHandle(childInput);
    CloseHandle(childOutput);
    if (!started) {
        CloseHandle(toConsole_);
        CloseHandle(fromConsole_);
        throw std::runtime_error("cannot start " + commandLine);
    }
    try {
        expectLine("ready");
    } catch (...) {
        release();
        throw;
    }
}

FakeConsoleProcess::~FakeConsoleProcess() {
    release();
}

void FakeConsoleProcess::release() {
    finish();
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    CloseHandle(fromConsole_);
}

std::string FakeConsoleProcess::readLine() {
    for (;;) {
        if (const auto end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (line.ends_with('\r'))
                line.pop_back();
            return line;
        }
        char buffer[256];
        DWORD got = 0;
        if (!ReadFile(fromConsole_, buffer, sizeof buffer, &got, nullptr) || got == 0)
            return std::exchange(pending_, {});
        pending_.append(buffer, got);
    }
}

void FakeConsoleProcess::expectLine(const std::string& expected) {
    const std::string line = readLine();
    if (line != expected)
        throw std::runtime_error("fake_game_console said \"" + line + "\" instead of \"" + expected + "\"");
}

void FakeConsoleProcess::settle() {
    if (!PostThreadMessageA(process_.dwThreadId, kFakeConsoleSync, 0, 0))
        throw std::runtime_error("the fake console's thread takes no messages");
    expectLine("synced");
}

DWORD FakeConsoleProcess::finish() {
    if (!std::exchange(finished_, true)) {
        CloseHandle(toConsole_);
        // A console that hangs must not hang the test with it.
        if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, INFINITE);
        }
        GetExitCodeProcess(process_.hProcess, &exitCode_);
    }
    return exitCode_;
}

} // namespace brassbell
