#pragma once
// The machine's cookie store: one Netscape cookie file per user in the machine's run-time
// folder, which libcurl and the browser panes both read.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::cookies {

struct Cookie {
    std::string domain; // host name, or ".example.com" for a domain and its subdomains
    bool includeSubdomains = false;
    std::string path = "/";
    bool secure = false;
    std::int64_t expires = 0; // seconds since 1970; 0 for a cookie of the session
    std::string name;
    std::string value;
};

// The host file of the current machine's user's cookie jar.
std::string jarFile();

// Sets a cookie for a URL as the platform's cookie call does: `data` is the value followed
// by optional "; expires=...", "; path=...", "; domain=..." and "; secure" attributes.
// An expiry date that has passed keeps the cookie as a cookie of the session. Replaces a
// cookie of the same domain, path and name. False for a URL without a host or when the jar
// cannot be written.
bool setCookie(std::string_view url, std::string_view name, std::string_view data);

// Keeps a cookie a page at the URL sets (a Set-Cookie header's value, "name=value" and its
// attributes) through setCookie. False, and nothing kept, for a value without a name or a
// domain attribute the URL's host does not belong to (a bare top-level name belongs to none).
bool storeResponseCookie(std::string_view url, std::string_view header);

// Every cookie in the jar, in file order.
std::vector<Cookie> allCookies();

// The Netscape cookie-file text of cookies and back (unreadable lines are skipped).
std::string formatJar(const std::vector<Cookie>& cookies);
std::vector<Cookie> parseJar(std::string_view text);

} // namespace kv::cookies
