#include "console/rcon/RconProtocol.h"

#include <algorithm>

namespace brassbell {

namespace {

constexpr std::string_view kOutOfBand = "\xFF\xFF\xFF\xFF";
constexpr std::string_view kRcon = "rcon ";
constexpr std::string_view kPrint = "print\n";
constexpr std::string_view kStatusResponse = "statusResponse\n";

// Everything of a request but the command.
std::size_t framingBytes(std::string_view password) {
    return kOutOfBand.size() + kRcon.size() + password.size() + 1;
}

} // namespace

std::size_t maxCommandBytes(std::string_view password) {
    return framingBytes(password) >= kMaxRequestBytes ? 0 : kMaxRequestBytes - framingBytes(password);
}

std::optional<std::string> rconRequest(std::string_view password, std::string_view command) {
    if (framingBytes(password) + command.size() > kMaxRequestBytes)
        return std::nullopt;
    std::string request;
    request.reserve(kMaxRequestBytes);
    request.append(kOutOfBand).append(kRcon).append(password).append(" ").append(command);
    return request;
}

std::string statusRequest() {
    return std::string(kOutOfBand) + "getstatus";
}

std::optional<ServerReply> parseServerReply(std::string_view datagram) {
    if (!datagram.starts_with(kOutOfBand))
        return std::nullopt;
    const std::string_view body = datagram.substr(kOutOfBand.size());
    if (body.starts_with(kPrint))
        return ServerReply{ServerReply::Kind::Print, std::string(body.substr(kPrint.size()))};
    if (body.starts_with(kStatusResponse))
        return ServerReply{ServerReply::Kind::Status, std::string(body.substr(kStatusResponse.size()))};
    return std::nullopt;
}

bool PrintedAnswer::take(std::string_view datagram) {
    const std::optional<ServerReply> reply = parseServerReply(datagram);
    if (!reply || reply->kind != ServerReply::Kind::Print)
        return false;
    answered = true;
    text.append(reply->text, 0, std::min(kLongestKept - text.size(), reply->text.size()));
    return true;
}

CommandVerdict commandVerdict(std::string_view printed) {
    // The refusal is the whole answer; a command's own output that merely mentions it is not.
    while (!printed.empty() && (printed.back() == '\n' || printed.back() == '\r'))
        printed.remove_suffix(1);
    if (printed == "Bad rconpassword.")
        return CommandVerdict::BadPassword;
    if (printed == "No rconpassword set on the server." || printed == "No rconpassword set.")
        return CommandVerdict::NoPasswordSet;
    return CommandVerdict::CarriedOut;
}

std::string passwordProblem(std::string_view password) {
    if (password.empty())
        return "The rcon password is empty.";
    for (const char c : password) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 0x7F)
            return "The rcon password may hold only printable ASCII characters, and no spaces.";
        if (c == '"')
            return "The rcon password cannot hold a quote (\").";
    }
    if (password.find("//") != std::string_view::npos || password.find("/*") != std::string_view::npos)
        return "The rcon password cannot hold \"//\" or \"/*\", which the server reads as a comment.";
    return {};
}

} // namespace brassbell
