#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brassbell {

inline constexpr std::uint16_t kDefaultGamePort = 27960;

// A game server as the user names it: "host", "host:port", an IPv6 address in brackets
// ("[::1]:27960") or bare ("::1", then without a port).
struct ServerAddress {
    std::string host;
    std::uint16_t port = kDefaultGamePort;
    // Set when the text names no server; host and port are then meaningless.
    std::string error;

    // "host:port", with brackets around an IPv6 host.
    std::string text() const;
};

ServerAddress parseServerAddress(std::string_view text);

} // namespace brassbell
