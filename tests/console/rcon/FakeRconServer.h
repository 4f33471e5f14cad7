#pragma once

// A game server's remote console in miniature: a UDP socket on the loopback that notes every
// datagram with its arrival time and answers it by a rule the test gives.
#include "console/rcon/RconProtocol.h"
#include "console/rcon/UdpPeer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brassbell::testing {

using namespace std::chrono_literals;

#ifdef _WIN32
using FakeSocket = SOCKET;
inline int poll(pollfd* entries, ULONG count, int timeout) {
    return WSAPoll(entries, count, timeout);
}
inline int close(SOCKET socket) {
    return closesocket(socket);
}
#else
using FakeSocket = int;
#endif

inline std::string outOfBand(const std::string& body) {
    return "\xFF\xFF\xFF\xFF" + body;
}

// Waits for something another thread does; the limit only keeps a broken case from hanging.
inline bool eventually(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!done() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(2ms);
    return done();
}

class FakeRconServer {
public:
    using Clock = std::chrono::steady_clock;
    // The datagrams that answer one request, sent in order; none for a silent server.
    using Rule = std::function<std::vector<std::string>(const std::string& request)>;
    struct Arrival {
        std::string datagram;
        Clock::time_point at;
    };

    explicit FakeRconServer(Rule rule) : rule_(std::move(rule)) {
#ifdef _WIN32
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
#endif
        socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), size);
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeRconServer() {
        stop();
        close(socket_);
    }

    // From now on it reads nothing and answers nothing; the port stays taken, so no refusal comes.
    void stop() {
        stopping_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    std::uint16_t port() const {
        return port_;
    }
    std::unique_ptr<UdpPeer> peer() const {
        std::string error;
        return UdpPeer::connectTo("127.0.0.1", port_, error);
    }
    std::vector<Arrival> arrivals() const {
        const std::lock_guard lock(mutex_);
        return arrivals_;
    }
    std::vector<std::string> requests() const {
        std::vector<std::string> datagrams;
        for (const Arrival& arrival : arrivals())
            datagrams.push_back(arrival.datagram);
        return datagrams;
    }

private:
    void serve() {
        std::vector<char> buffer(65536);
        while (!stopping_) {
            pollfd entry{socket_, POLLIN, 0};
            if (poll(&entry, 1, 10) <= 0)
                continue;
            sockaddr_storage from{};
            socklen_t size = sizeof from;
            const auto got = ::recvfrom(socket_, buffer.data(), static_cast<int>(buffer.size()), 0,
                                        reinterpret_cast<sockaddr*>(&from), &size);
            if (got < 0)
                continue;
            const std::string request(buffer.data(), static_cast<std::size_t>(got));
            {
                const std::lock_guard lock(mutex_);
                arrivals_.push_back({request, Clock::now()});
            }
            // A little apart, as a server prints as it goes, so that large answers do not
            // overflow the receiver's buffer.
            for (const std::string& reply : rule_(request)) {
                ::sendto(socket_, reply.data(), static_cast<int>(reply.size()), 0,
                         reinterpret_cast<sockaddr*>(&from), size);
                std::this_thread::sleep_for(2ms);
            }
        }
    }

    FakeSocket socket_;
    std::uint16_t port_ = 0;
    Rule rule_;
    std::atomic<bool> stopping_ = false;
    mutable std::mutex mutex_;
    std::vector<Arrival> arrivals_;
    std::thread thread_;
};

// Answers the status query, and every other request with this printed text.
inline FakeRconServer::Rule answering(const std::string& text = "ok") {
    return [text](const std::string& request) -> std::vector<std::string> {
        if (request == outOfBand("getstatus"))
            return {outOfBand("statusResponse\n\\sv_hostname\\fake\n")};
        return {outOfBand("print\n" + text)};
    };
}

inline std::vector<std::string> silent(const std::string&) {
    return {};
}

} // namespace brassbell::testing
