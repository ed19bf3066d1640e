#pragma once
// Module Web: the client's one HTTP client.

#include <string>
#include <string_view>

namespace kv::service {

// The body of a GET of Url (scheme included), cache bypassed, read 2048 bytes at a time
// with the message loop run three times per read. Each byte becomes one character; empty
// when nothing could be read. No failure is reported.
std::string httpGet(std::string_view Url);

} // namespace kv::service
