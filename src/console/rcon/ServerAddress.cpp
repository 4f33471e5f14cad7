#include "console/rcon/ServerAddress.h"

#include <charconv>

namespace brassbell {

namespace {

bool parsePort(std::string_view digits, std::uint16_t& port) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || value == 0 ||
        value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

} // namespace

std::string ServerAddress::text() const {
    const std::string shownHost = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return shownHost + ":" + std::to_string(port);
}

ServerAddress parseServerAddress(std::string_view text) {
    ServerAddress address;
    std::string_view host = text;
    std::string_view port;
    bool hasPort = false;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        const std::string_view rest = close == std::string_view::npos ? "" : text.substr(close + 1);
        if (close == std::string_view::npos || (!rest.empty() && !rest.starts_with(':'))) {
            address.error = "An IPv6 address in brackets is written \"[address]\" or \"[address]:port\".";
            return address;
        }
        host = text.substr(1, close - 1);
        hasPort = !rest.empty();
        port = hasPort ? rest.substr(1) : "";
    } else if (const std::size_t colon = text.find(':');
               colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
        // With two colons or more it is a bare IPv6 address, which cannot carry a port.
        host = text.substr(0, colon);
        hasPort = true;
        port = text.substr(colon + 1);
    }
    if (host.empty()) {
        address.error = "The server address names no host.";
        return address;
    }
    if (host.find_first_of("[]") != std::string_view::npos) {
        address.error = "Brackets may only enclose an IPv6 address, at the start of the server address.";
        return address;
    }
    address.host = host;
    if (hasPort && !parsePort(port, address.port))
        address.error = "The port must be a number from 1 to 65535.";
    return address;
}

} // namespace brassbell
