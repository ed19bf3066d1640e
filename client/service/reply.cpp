#include "client/service/reply.h"

#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"

#include <string>

namespace kv::service {

std::optional<protocol::Hash> decodeReply(std::string_view body) {
    const std::string plain = protocol::RC4Crypt(protocol::Base64Decode(body), protocol::kReplyKey);
    if (plain.find("all=well") == std::string::npos) return std::nullopt;
    protocol::Hash reply;
    std::size_t start = 0;
    for (;;) {
        const std::size_t amp = plain.find('&', start);
        const std::string_view piece = std::string_view(plain).substr(
            start, amp == std::string::npos ? std::string::npos : amp - start);
        const std::size_t eq = piece.find('=');
        if (eq != std::string::npos) { // a piece without "=" carries nothing
            reply.Add(piece.substr(0, eq), protocol::urlDecode(piece.substr(eq + 1)));
        }
        if (amp == std::string::npos) break;
        start = amp + 1;
    }
    return reply;
}

} // namespace kv::service
