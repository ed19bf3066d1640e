#pragma once
// Module Web: the client's one HTTP client.

#include <optional>
#include <string>
#include <string_view>

namespace kv::service {

// The body of a GET of Url (scheme included), cache bypassed, read 2048 bytes at a time
// with the message loop run three times per read. Each byte becomes one character. Nothing
// when a read failed: no connection, or a body cut short before its end (part of a reply
// is no reply).
std::optional<std::string> httpFetch(std::string_view Url);

// httpFetch's body, or empty text when nothing came whole. No failure is reported.
std::string httpGet(std::string_view Url);

} // namespace kv::service
