#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace brassbell {

// One UDP socket bound to one server: what it sends goes there, only what comes from there is
// received, and the system reports a refused port (an ICMP "port unreachable") on the next
// receive.
class UdpPeer {
public:
    enum class Received { Datagram, TimedOut, Refused };

    // Resolves `host` (a name, IPv4 or IPv6 address) and binds a socket to the first address
    // that takes it. Nothing, with `error` set, when neither works.
    static std::unique_ptr<UdpPeer> connectTo(const std::string& host, std::uint16_t port,
                                              std::string& error);
    ~UdpPeer();
    UdpPeer(const UdpPeer&) = delete;
    UdpPeer& operator=(const UdpPeer&) = delete;

    // False when the system would not send it (no route, a refusal reported meanwhile).
    bool send(std::string_view datagram);
    // Waits at most `timeout` for one datagram.
    Received receive(std::string& datagram, std::chrono::milliseconds timeout);
    // Reads away whatever has arrived, such as a late answer to an earlier request.
    void discardArrived();

private:
    explicit UdpPeer(std::intptr_t socket) : socket_(socket) {}

    std::intptr_t socket_;
};

} // namespace brassbell
