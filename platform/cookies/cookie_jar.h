#pragma once
// The machine's per-user cookie jar: a file in the Netscape cookie-file format, kept in the
// machine's run-time folder, read by libcurl and the browser panes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace kv::cookies {

// Stores a cookie for a URL: data is "value" followed by optional "; expires=...",
// "; path=...", "; domain=..." and "; secure" parts. A cookie without expiry, or whose
// expiry has passed or does not parse, is kept as a cookie of the session (expiry 0).
// Replaces a cookie of the same domain, path and name. False when the URL or name is unusable
// or the jar cannot be written.
bool setCookie(std::string_view url, std::string_view name, std::string_view data);

// The host path of the current user's jar (for CURLOPT_COOKIEFILE / CURLOPT_COOKIEJAR).
std::filesystem::path jarPath();

// An expiry date as the platform reads it ("Sat, 31-Dec-2009 11:59:59 GMT", with dashes or
// blanks, two- or four-digit years), in seconds since 1970; nothing when it does not parse.
std::optional<std::int64_t> parseExpiry(std::string_view text);

} // namespace kv::cookies
