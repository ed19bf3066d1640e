#pragma once
// The reply of a single-record request: Base64 text of the record enciphered with the reply
// key, the record "name=value" pieces joined by "&" with URL-encoded values.

#include "client/protocol/hash.h"

#include <optional>
#include <string_view>

namespace kv::service {

// The fields of a reply body, in their order (pieces without "=" carry nothing); nothing
// when the deciphered record lacks "all=well", the mark of an accepted request.
std::optional<protocol::Hash> decodeReply(std::string_view body);

} // namespace kv::service
