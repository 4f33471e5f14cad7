#pragma once

#include "console/rcon/RconProtocol.h"
#include "console/rcon/UdpPeer.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace brassbell {

struct RconTimings {
    // Between two datagrams to the server: its rate limit drops what comes quicker.
    std::chrono::milliseconds interval{1000};
    // For the first datagram of an answer.
    std::chrono::milliseconds replyTimeout{1000};
    // An answer has no end marker: it is over once nothing more came for this long.
    std::chrono::milliseconds quietTime{200};
    // However much keeps coming, an answer is not collected for longer than this.
    std::chrono::milliseconds longestAnswer{3000};
};

// One question to the server and its whole answer, over a peer of its own.
class RconClient {
public:
    RconClient(std::unique_ptr<UdpPeer> peer, RconTimings timings);

    // Sends an rcon request (see rconRequest) and collects what the server prints back.
    PrintedAnswer command(std::string_view request);
    // True when the server answered the status query.
    bool status();

    const RconTimings& timings() const { return timings_; }

private:
    std::unique_ptr<UdpPeer> peer_;
    RconTimings timings_;
};

} // namespace brassbell
