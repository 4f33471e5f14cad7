#include "FakeConsoleProcess.h"

#include "FakeConsoleProtocol.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace brassbell {

namespace {

std::string folderOfThisProgram() {
    std::string path(MAX_PATH, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string quoted(const std::string& argument) {
    std::string result = "\"";
    for (const char c : argument) {
        if (c == '"') {
            result += '\\';
        }
        result += c;
    }
    return result + "\"";
}

void pipe(HANDLE& ours, HANDLE& theirs, bool theyRead) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        throw std::runtime_error("cannot make a pipe");
    }
    ours = theyRead ? writeEnd : readEnd;
    theirs = theyRead ? readEnd : writeEnd;
    SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);
}

} // namespace

FakeConsoleProcess::FakeConsoleProcess(const std::vector<std::string>& arguments) {
    std::string commandLine = quoted(folderOfThisProgram() + "fake_game_console.exe");
    for (const auto& argument : arguments) {
        commandLine += " " + quoted(argument);
    }

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
    const std::string greeting = readLine();
    if (greeting != "ready") {
        finish();
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        CloseHandle(fromConsole_);
        throw std::runtime_error("fake_game_console said \"" + greeting + "\" instead of \"ready\"");
    }
}

FakeConsoleProcess::~FakeConsoleProcess() {
    finish();
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    CloseHandle(fromConsole_);
}

std::string FakeConsoleProcess::readLine() {
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return line;
        }
        char buffer[256];
        DWORD got = 0;
        if (!ReadFile(fromConsole_, buffer, sizeof buffer, &got, nullptr) || got == 0) {
            return std::exchange(pending_, {});
        }
        pending_.append(buffer, got);
    }
}

void FakeConsoleProcess::settle() {
    if (!PostThreadMessageA(process_.dwThreadId, kFakeConsoleSync, 0, 0)) {
        throw std::runtime_error("the fake console's thread takes no messages");
    }
    const std::string answer = readLine();
    if (answer != "synced") {
        throw std::runtime_error("fake_game_console said \"" + answer + "\" instead of \"synced\"");
    }
}

DWORD FakeConsoleProcess::finish() {
    if (!finished_) {
        finished_ = true;
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

TempLogFile::TempLogFile(const std::string& stem) {
    static std::atomic<unsigned> counter{0};
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(sizeof folder, folder);
    std::ostringstream name;
    name << folder << "brassbell-" << stem << "-" << GetCurrentProcessId() << "-" << counter++ << ".log";
    path_ = name.str();
    DeleteFileA(path_.c_str());
}

TempLogFile::~TempLogFile() {
    DeleteFileA(path_.c_str());
}

std::string TempLogFile::bytes() const {
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        throw std::runtime_error("no log file " + path_);
    }
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace brassbell
