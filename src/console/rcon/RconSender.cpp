#include "console/rcon/RconSender.h"

#include "console/rcon/RconProtocol.h"

namespace brassbell {

namespace {

RconSender::Reply::Outcome outcomeOf(const PrintedAnswer& answer) {
    if (!answer.answered)
        return RconSender::Reply::Outcome::NoAnswer;
    switch (commandVerdict(answer.text)) {
    case CommandVerdict::BadPassword:
        return RconSender::Reply::Outcome::BadPassword;
    case CommandVerdict::NoPasswordSet:
        return RconSender::Reply::Outcome::NoPasswordSet;
    case CommandVerdict::CarriedOut:
        break;
    }
    return RconSender::Reply::Outcome::CarriedOut;
}

} // namespace

RconSender::RconSender(std::unique_ptr<UdpPeer> peer, std::string password, RconTimings timings,
                       ReplySink sink)
    : client_(std::move(peer), timings), password_(std::move(password)),
      longestCommand_(maxCommandBytes(password_)), sink_(std::move(sink)), thread_([this] { run(); }) {}

RconSender::~RconSender() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RconSender::send(std::string command) {
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(command));
    }
    wake_.notify_all();
}

std::size_t RconSender::waiting() const {
    const std::lock_guard lock(mutex_);
    return queue_.size();
}

bool RconSender::checkServer() {
    std::unique_lock lock(mutex_);
    statusWanted_ = true;
    const std::uint64_t answered = checksDone_ + 1;
    wake_.notify_all();
    checked_.wait(lock, [&] { return checksDone_ >= answered; });
    return present_;
}

bool RconSender::serverAnswers() const {
    const std::lock_guard lock(mutex_);
    return present_;
}

bool RconSender::lastExchangeIsFresh(Clock::time_point now) const {
    return lastExchangeEnded_ && now - *lastExchangeEnded_ < client_.timings().interval;
}

void RconSender::answerCheck() {
    statusWanted_ = false;
    ++checksDone_;
    checked_.notify_all();
}

void RconSender::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (statusWanted_ && lastExchangeIsFresh(now)) {
            answerCheck();
            continue;
        }
        if (!statusWanted_ && queue_.empty()) {
            if (stopping_)
                return;
            wake_.wait(lock);
            continue;
        }
        // At the end nobody waits for a check, and lines the server no longer takes are lost anyway.
        if (stopping_ && !present_)
            return;
        if (lastSent_ && now < *lastSent_ + client_.timings().interval) {
            wake_.wait_until(lock, *lastSent_ + client_.timings().interval);
            continue;
        }
        // A check waits for the status before the queue goes on: the lines may be many.
        if (statusWanted_)
            askStatus(lock);
        else
            sendCommand(lock);
    }
}

void RconSender::sendCommand(std::unique_lock<std::mutex>& lock) {
    Reply reply;
    reply.command = std::move(queue_.front());
    queue_.pop_front();
    lastSent_ = Clock::now();
    lock.unlock();

    // A command too long for one request never reaches the queue; the check stays for safety.
    const std::optional<std::string> request = rconRequest(password_, reply.command);
    PrintedAnswer answer = request ? client_.command(*request) : PrintedAnswer{};
    reply.outcome = outcomeOf(answer);
    reply.text = std::move(answer.text);
    if (sink_)
        sink_(reply);

    lock.lock();
    // An answer shows the server is there. A missing one may be a single lost datagram, so it
    // takes the console away only through the status query of the next check.
    if (answer.answered) {
        present_ = true;
        lastExchangeEnded_ = Clock::now();
    } else if (stopping_) {
        // At the end no check follows, and each line left would wait out a time-out in vain.
        present_ = false;
    }
}

void RconSender::askStatus(std::unique_lock<std::mutex>& lock) {
    lastSent_ = Clock::now();
    lock.unlock();
    const bool answered = client_.status();
    lock.lock();
    present_ = answered;
    lastExchangeEnded_ = Clock::now();
    // Answered here and now: however late this thread runs on, the check waits no longer.
    if (statusWanted_)
        answerCheck();
}

} // namespace brassbell
