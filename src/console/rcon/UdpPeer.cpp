#include "console/rcon/UdpPeer.h"

#include "console/rcon/RconProtocol.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <cerrno>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <vector>

namespace brassbell {

namespace {

#ifdef _WIN32
using NativeSocket = SOCKET;
constexpr NativeSocket kNoSocket = INVALID_SOCKET;

// Winsock must be started once per process before the first call.
bool startWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

void closeSocket(NativeSocket socket) {
    closesocket(socket);
}

bool wasRefused() {
    // Windows reports the ICMP answer to an earlier datagram as a reset connection.
    const int error = WSAGetLastError();
    return error == WSAECONNRESET || error == WSAECONNREFUSED;
}

bool readable(NativeSocket socket, int timeoutMs) {
    WSAPOLLFD entry{socket, POLLRDNORM, 0};
    return WSAPoll(&entry, 1, timeoutMs) > 0;
}
#else
using NativeSocket = int;
constexpr NativeSocket kNoSocket = -1;

bool startWinsock() {
    return true;
}

void closeSocket(NativeSocket socket) {
    ::close(socket);
}

bool wasRefused() {
    return errno == ECONNREFUSED;
}

bool readable(NativeSocket socket, int timeoutMs) {
    pollfd entry{socket, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}
#endif

NativeSocket native(std::intptr_t socket) {
    return static_cast<NativeSocket>(socket);
}

} // namespace

std::unique_ptr<UdpPeer> UdpPeer::connectTo(const std::string& host, std::uint16_t port, std::string& error) {
    if (!startWinsock()) {
        error = "The network cannot be used.";
        return nullptr;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    addrinfo* found = nullptr;
    if (const int status = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        status != 0) {
        error = "\"" + host + "\" cannot be found: " + gai_strerror(status);
        return nullptr;
    }
    NativeSocket socket = kNoSocket;
    for (const addrinfo* address = found; address != nullptr && socket == kNoSocket;
         address = address->ai_next) {
        socket = ::socket(address->ai_family, address->ai_socktype, address->ai_protocol);
        if (socket != kNoSocket &&
            ::connect(socket, address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0) {
            closeSocket(socket);
            socket = kNoSocket;
        }
    }
    freeaddrinfo(found);
    if (socket == kNoSocket) {
        error = "No network route leads to \"" + host + "\".";
        return nullptr;
    }
    return std::unique_ptr<UdpPeer>(new UdpPeer(static_cast<std::intptr_t>(socket)));
}

UdpPeer::~UdpPeer() {
    closeSocket(native(socket_));
}

bool UdpPeer::send(std::string_view datagram) {
    // A refusal reported since the last receive fails this send once; the datagram still
    // deserves its try.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto sent = ::send(native(socket_), datagram.data(), static_cast<int>(datagram.size()), 0);
        if (sent >= 0 && static_cast<std::size_t>(sent) == datagram.size())
            return true;
        if (!wasRefused())
            return false;
    }
    return false;
}

UdpPeer::Received UdpPeer::receive(std::string& datagram, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    std::vector<char> buffer(kMaxDatagramBytes);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0 || !readable(native(socket_), static_cast<int>(left.count())))
            return Received::TimedOut;
        const auto size = ::recv(native(socket_), buffer.data(), static_cast<int>(buffer.size()), 0);
        if (size >= 0) {
            datagram.assign(buffer.data(), static_cast<std::size_t>(size));
            return Received::Datagram;
        }
        if (wasRefused())
            return Received::Refused;
        // Any other failure (an interrupted call, a datagram dropped on the way) is waited past.
    }
}

void UdpPeer::discardArrived() {
    std::string ignored;
    while (receive(ignored, std::chrono::milliseconds(0)) == Received::Datagram) {
    }
}

} // namespace brassbell
