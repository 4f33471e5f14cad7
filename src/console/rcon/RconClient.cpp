#include "console/rcon/RconClient.h"

namespace brassbell {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

milliseconds until(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? left : milliseconds(0);
}

} // namespace

RconClient::RconClient(std::unique_ptr<UdpPeer> peer, RconTimings timings)
    : peer_(std::move(peer)), timings_(timings) {}

PrintedAnswer RconClient::command(std::string_view request) {
    PrintedAnswer answer;
    // A late part of an earlier answer must not be taken for this one.
    peer_->discardArrived();
    if (!peer_->send(request))
        return answer;
    const Clock::time_point start = Clock::now();
    Clock::time_point deadline = start + timings_.replyTimeout;
    const Clock::time_point last = start + timings_.longestAnswer;
    std::string datagram;
    while (Clock::now() < deadline) {
        const UdpPeer::Received received = peer_->receive(datagram, until(deadline));
        if (received != UdpPeer::Received::Datagram)
            break;
        if (answer.take(datagram))
            deadline = std::min(Clock::now() + timings_.quietTime, last);
    }
    return answer;
}

bool RconClient::status() {
    peer_->discardArrived();
    if (!peer_->send(statusRequest()))
        return false;
    const Clock::time_point deadline = Clock::now() + timings_.replyTimeout;
    std::string datagram;
    while (peer_->receive(datagram, until(deadline)) == UdpPeer::Received::Datagram) {
        const std::optional<ServerReply> reply = parseServerReply(datagram);
        if (reply && reply->kind == ServerReply::Kind::Status)
            return true;
    }
    return false;
}

} // namespace brassbell
