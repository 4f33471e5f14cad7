// What a game server sends back, on any bytes: the input is cut into datagrams (two bytes of
// length, then that many bytes) and gathered as one answer; the answer holds exactly the printed
// texts of the datagrams that are replies, up to its limit, and the verdict on it is only a
// refusal when the whole text is one. The same bytes as a server address either name a host
// and port that read back the same, or are refused with a reason.
#include "console/rcon/RconProtocol.h"
#include "console/rcon/ServerAddress.h"

#include "FuzzRequire.h"

#include <string>
#include <string_view>

using namespace brassbell;

namespace {

void checkAnswer(std::string_view bytes) {
    PrintedAnswer answer;
    std::string printed;
    bool anyPrint = false;
    while (bytes.size() >= 2) {
        const std::size_t length =
            std::min<std::size_t>(bytes.size() - 2, static_cast<unsigned char>(bytes[0]) << 8 |
                                                        static_cast<unsigned char>(bytes[1]));
        const std::string_view datagram = bytes.substr(2, length);
        bytes.remove_prefix(2 + length);

        const std::optional<ServerReply> reply = parseServerReply(datagram);
        const bool part = answer.take(datagram);
        BRASSBELL_FUZZ_REQUIRE(part == (reply && reply->kind == ServerReply::Kind::Print));
        if (part) {
            anyPrint = true;
            printed += reply->text;
        }
        if (reply)
            BRASSBELL_FUZZ_REQUIRE(datagram.ends_with(reply->text));
    }
    BRASSBELL_FUZZ_REQUIRE(answer.answered == anyPrint);
    BRASSBELL_FUZZ_REQUIRE(answer.text == printed.substr(0, PrintedAnswer::kLongestKept));
    if (commandVerdict(answer.text) == CommandVerdict::BadPassword)
        BRASSBELL_FUZZ_REQUIRE(answer.text.starts_with("Bad rconpassword."));
}

void checkAddress(std::string_view text) {
    const ServerAddress address = parseServerAddress(text);
    if (!address.error.empty())
        return;
    BRASSBELL_FUZZ_REQUIRE(!address.host.empty() && address.port != 0);
    const ServerAddress again = parseServerAddress(address.text());
    BRASSBELL_FUZZ_REQUIRE(again.error.empty() && again.host == address.host && again.port == address.port);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkAnswer(bytes);
    checkAddress(bytes);
    return 0;
}
