#pragma once

#include "console/rcon/RconClient.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace brassbell {

// Sends command lines to the server's remote console from a thread of its own, one at a time in
// the order given, and never two datagrams closer than the interval: the server's rate limit
// would drop the later one without a word. The window only queues a line and goes on.
class RconSender {
public:
    struct Reply {
        enum class Outcome { CarriedOut, BadPassword, NoPasswordSet, NoAnswer };
        std::string command;
        std::string text;
        Outcome outcome = Outcome::NoAnswer;
    };
    // Called on the sender's thread after each command.
    using ReplySink = std::function<void(const Reply&)>;

    RconSender(std::unique_ptr<UdpPeer> peer, std::string password, RconTimings timings, ReplySink sink);
    // Sends what is still queued while the server answers, then ends the thread.
    ~RconSender();
    RconSender(const RconSender&) = delete;
    RconSender& operator=(const RconSender&) = delete;

    // The longest command that fits in one request with this password.
    std::size_t longestCommand() const { return longestCommand_; }
    // Queues a command no longer than longestCommand().
    void send(std::string command);
    // Lines queued and not sent yet.
    std::size_t waiting() const;
    // Whether the server is there now: an answer younger than one interval says so; otherwise a
    // status query, in its turn, asks. Returns within one interval and one reply time-out.
    bool checkServer();
    // The last thing known, without asking.
    bool serverAnswers() const;

private:
    using Clock = std::chrono::steady_clock;

    void run();
    // Both let go of the lock for the exchange itself.
    void sendCommand(std::unique_lock<std::mutex>& lock);
    void askStatus(std::unique_lock<std::mutex>& lock);
    bool lastExchangeIsFresh(Clock::time_point now) const;
    void answerCheck();

    RconClient client_;
    const std::string password_;
    const std::size_t longestCommand_;
    const ReplySink sink_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable checked_;
    std::deque<std::string> queue_;
    bool stopping_ = false;
    bool statusWanted_ = false;
    std::uint64_t checksDone_ = 0;
    bool present_ = false;
    // Empty until the first datagram, and until the first answer or status query.
    std::optional<Clock::time_point> lastSent_;
    std::optional<Clock::time_point> lastExchangeEnded_;

    std::thread thread_;
};

} // namespace brassbell
