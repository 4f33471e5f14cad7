#include "console/wine/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>
#include <thread>

extern char** environ;

namespace brassbell::winbridge {

namespace {

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

int millisecondsUntil(ChildProcess::Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - ChildProcess::Clock::now()).count();
    if (left <= 0) {
        return 0;
    }
    return left > 60'000 ? 60'000 : static_cast<int>(left);
}

// Waits for the descriptor; false when the deadline passed first.
bool waitFor(int fd, short events, ChildProcess::Clock::time_point deadline) {
    for (;;) {
        pollfd watched{fd, events, 0};
        const int ready = ::poll(&watched, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready == 0 && ChildProcess::Clock::now() < deadline) {
            continue;
        }
        return false;
    }
}

// A write to a pipe whose reader is gone raises SIGPIPE, whose default ends the whole program.
// It is held back for this thread while writing, and a SIGPIPE this write caused is taken off.
class SigpipeHeld {
public:
    SigpipeHeld() {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
    }
    ~SigpipeHeld() {
        if (raised && !alreadyPending_) {
            const timespec now{0, 0};
            while (sigtimedwait(&pipeOnly_, nullptr, &now) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeHeld(const SigpipeHeld&) = delete;
    SigpipeHeld& operator=(const SigpipeHeld&) = delete;

    bool raised = false;

private:
    sigset_t pipeOnly_{};
    sigset_t previous_{};
    bool alreadyPending_ = false;
};

std::vector<std::string> environmentWith(const ChildProcess::Environment& changes) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string_view::npos) {
            variables.emplace(std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)));
        }
    }
    for (const auto& [name, value] : changes) {
        variables[name] = value;
    }
    std::vector<std::string> result;
    result.reserve(variables.size());
    for (const auto& [name, value] : variables) {
        result.push_back(name + "=" + value);
    }
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    result.reserve(texts.size() + 1);
    for (auto& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

ChildProcess::~ChildProcess() {
    stop(std::chrono::milliseconds(0));
}

bool ChildProcess::start(const std::vector<std::string>& argv, const Environment& environment,
                         std::string& error) {
    stop(std::chrono::milliseconds(0));
    if (argv.empty()) {
        error = "nothing to start";
        return false;
    }
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
        error = std::string("cannot make a pipe: ") + std::strerror(errno);
        closeFd(input[0]);
        closeFd(input[1]);
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, so that a forced stop also ends what the child started.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);

    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = environmentWith(environment);
    auto argumentPointers = pointers(arguments);
    auto variablePointers = pointers(variables);
    pid_t pid = -1;
    const int failed = ::posix_spawnp(&pid, arguments.front().c_str(), &actions, &attributes,
                                      argumentPointers.data(), variablePointers.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(input[0]);
    ::close(output[1]);
    if (failed != 0) {
        ::close(input[1]);
        ::close(output[0]);
        error = "cannot start " + arguments.front() + ": " + std::strerror(failed);
        return false;
    }
    pid_ = pid;
    toChild_ = input[1];
    fromChild_ = output[0];
    ::fcntl(toChild_, F_SETFL, ::fcntl(toChild_, F_GETFL) | O_NONBLOCK);
    ::fcntl(fromChild_, F_SETFL, ::fcntl(fromChild_, F_GETFL) | O_NONBLOCK);
    ended_ = false;
    lines_.clear();
    return true;
}

bool ChildProcess::writeAll(std::string_view bytes, Clock::time_point deadline) {
    if (toChild_ < 0) {
        return false;
    }
    SigpipeHeld held;
    while (!bytes.empty()) {
        const ssize_t written = ::write(toChild_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(toChild_, POLLOUT, deadline)) {
                return false;
            }
            continue;
        }
        held.raised = written < 0 && errno == EPIPE;
        return false;
    }
    return true;
}

ChildProcess::Read ChildProcess::readLine(std::string& line, Clock::time_point deadline) {
    for (;;) {
        if (auto next = lines_.next()) {
            if (next->tooLong) {
                return Read::TooLong;
            }
            line = std::move(next->text);
            return Read::Line;
        }
        if (ended_ || fromChild_ < 0) {
            return Read::Ended;
        }
        std::array<char, 16 * 1024> buffer{};
        const ssize_t got = ::read(fromChild_, buffer.data(), buffer.size());
        if (got > 0) {
            lines_.append(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
            continue;
        }
        if (got == 0) {
            ended_ = true;
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            ended_ = true;
            continue;
        }
        if (Clock::now() >= deadline || !waitFor(fromChild_, POLLIN, deadline)) {
            return Read::TimedOut;
        }
    }
}

void ChildProcess::stop(std::chrono::milliseconds grace) {
    closeFd(toChild_);
    if (pid_ > 0) {
        const auto deadline = Clock::now() + grace;
        int status = 0;
        pid_t reaped = ::waitpid(pid_, &status, WNOHANG);
        while (reaped == 0 && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            reaped = ::waitpid(pid_, &status, WNOHANG);
        }
        if (reaped == 0) {
            ::kill(-pid_, SIGKILL);
            ::kill(pid_, SIGKILL);
            while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
            }
        }
        pid_ = -1;
    }
    closeFd(fromChild_);
    ended_ = true;
    lines_.clear();
}

} // namespace brassbell::winbridge
