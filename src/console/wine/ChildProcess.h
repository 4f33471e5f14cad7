#pragma once

#include "console/wine/BridgeProtocol.h"

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brassbell::winbridge {

// A program running as a child process (POSIX), its standard input and output on pipes of ours
// and every read and write bounded by a deadline, so that a child that hangs or dies can never
// hang or end Brassbell. Its standard error goes nowhere: Wine talks a lot there.
class ChildProcess {
public:
    using Clock = std::chrono::steady_clock;
    using Environment = std::vector<std::pair<std::string, std::string>>;

    enum class Read { Line, TimedOut, Ended, TooLong };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (looked up in PATH) with our environment plus `environment`. On failure
    // returns false and says why in `error`.
    bool start(const std::vector<std::string>& argv, const Environment& environment, std::string& error);
    bool started() const { return pid_ > 0; }
    pid_t processId() const { return pid_; }

    // False when the deadline passed first or the child no longer reads.
    bool writeAll(std::string_view bytes, Clock::time_point deadline);
    // The next line without its end; a deadline already passed only takes what is there.
    Read readLine(std::string& line, Clock::time_point deadline);

    // Closes the child's input, lets it end by itself within `grace`, then kills it (and what it
    // started in its process group) and collects it.
    void stop(std::chrono::milliseconds grace);

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    bool ended_ = false;
    LineBuffer lines_;
};

} // namespace brassbell::winbridge
