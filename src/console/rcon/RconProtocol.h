#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brassbell {

// The game servers' remote console speaks in single UDP datagrams that start with four 0xFF
// bytes ("out of band"): a request is "rcon <password> <command>", the answer zero or more
// "print\n<text>" datagrams with no count and no end marker.

// The server reads a request into a buffer of this size; a longer one is cut.
inline constexpr std::size_t kMaxRequestBytes = 1024;
// The most the protocol allows in one datagram; replies are read into a buffer this large.
inline constexpr std::size_t kMaxDatagramBytes = 65535;

// The longest command that fits beside `password` in one request.
std::size_t maxCommandBytes(std::string_view password);
// The request, or nothing when it would not fit in one.
std::optional<std::string> rconRequest(std::string_view password, std::string_view command);
// The status query, which every server answers without a password.
std::string statusRequest();

struct ServerReply {
    enum class Kind { Print, Status };
    Kind kind = Kind::Print;
    // After the line that names the kind.
    std::string text;
};

// What one datagram from the server says; nothing for one that is not a reply of these kinds.
std::optional<ServerReply> parseServerReply(std::string_view datagram);

// What the server printed back for one command, gathered datagram by datagram.
struct PrintedAnswer {
    // Kept up to this size; what comes beyond is dropped.
    static constexpr std::size_t kLongestKept = 256 * 1024;

    bool answered = false;
    // The printed texts in order of arrival.
    std::string text;

    // True when the datagram was a part of the answer; anything else is not.
    bool take(std::string_view datagram);
};

// How the server answered a command, read from its printed text.
enum class CommandVerdict { CarriedOut, BadPassword, NoPasswordSet };
CommandVerdict commandVerdict(std::string_view printed);

// Why the server could never accept this password; empty when it could. The server reads the
// password as the second word of the request, so a space, a quote, a comment mark or a byte
// outside printable ASCII would end or change it.
std::string passwordProblem(std::string_view password);

} // namespace brassbell
