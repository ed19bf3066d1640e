// The cookies a page sets: any Set-Cookie line from any page address is read without a
// crash. A kept cookie is then the jar's only one, every line of the jar reads back as it
// was written, no part of the cookie holds a tab or a line break, and its domain is the
// page's own host or a site above it at a dot (never a bare top-level name); the same line
// kept again leaves the same single cookie.
//
// Input: the page's address, a NUL byte, then the header line ("Set-Cookie: value" as the
// transfer reads it, or the bare value).

#include "fuzz/driver/fuzz_support.h"
#include "platform/cookies/cookie_jar.h"
#include "platform/net/internal/response_headers.h"
#include "platform/system/host_files.h"

namespace {

using kv::cookies::Cookie;
using kv::fuzz::check;

// Equal but for the expiry, which a date near the present moment may turn into one of the
// session between two reads of it.
bool sameButExpiry(const Cookie& a, const Cookie& b) {
    return a.domain == b.domain && a.includeSubdomains == b.includeSubdomains && a.path == b.path &&
           a.secure == b.secure && a.name == b.name && a.value == b.value;
}

bool lineSafe(const std::string& text) {
    return text.find_first_of("\t\r\n") == std::string::npos;
}

// Names joined by dots, at least two and none empty; a fully qualified name's final dot
// aside.
bool namesSite(std::string_view domain) {
    if (domain.ends_with('.')) domain.remove_suffix(1);
    return domain.find('.') != std::string_view::npos && !domain.starts_with('.') &&
           !domain.ends_with('.') && domain.find("..") == std::string_view::npos;
}

bool belongsTo(const Cookie& c, const std::string& host) {
    if (!c.includeSubdomains) return c.domain == host;
    if (!c.domain.starts_with('.')) return false;
    const std::string_view domain = std::string_view(c.domain).substr(1);
    if (domain == host) return true;
    return namesSite(domain) && host.size() > domain.size() + 1 && host.ends_with(domain) &&
           host[host.size() - domain.size() - 1] == '.';
}

std::vector<Cookie> jarCookies(std::string& text) {
    text.clear();
    kv::machine::readHostFile(kv::cookies::jarFile(), text);
    return kv::cookies::parseJar(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view input = kv::fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) return 0;
    const std::string_view url = input.substr(0, nul);
    const std::string_view line = input.substr(nul + 1);
    const std::string_view value = kv::net::internal::setCookieValue(line).value_or(line);

    const std::string jar = kv::cookies::jarFile();
    check(kv::machine::writeHostFileAtomically(jar, ""), "the jar is emptied");
    const bool kept = kv::cookies::storeResponseCookie(url, value);
    std::string text;
    const std::vector<Cookie> cookies = jarCookies(text);
    check(cookies.size() == (kept ? 1u : 0u), "a kept cookie is the jar's only one");
    if (!kept) return 0;
    check(text == kv::cookies::formatJar(cookies), "the jar reads back as it was written");
    const Cookie& c = cookies[0];
    check(lineSafe(c.domain) && lineSafe(c.path) && lineSafe(c.name) && lineSafe(c.value),
          "no tab or line break in a stored cookie");

    // The same line again replaces the cookie by itself.
    check(kv::cookies::storeResponseCookie(url, value), "the same line is kept again");
    std::string again;
    const std::vector<Cookie> after = jarCookies(again);
    check(after.size() == 1 && sameButExpiry(after[0], c), "the same line keeps the same cookie");

    // The host, as a cookie set for the address without a domain holds it.
    check(kv::machine::writeHostFileAtomically(jar, ""), "the jar is emptied");
    check(kv::cookies::setCookie(url, "host", "") && kv::cookies::allCookies().size() == 1,
          "a cookie for the page's own host is set");
    const std::string host = kv::cookies::allCookies()[0].domain;
    check(belongsTo(c, host), "the cookie's domain is the page's host or a site above it");
    return 0;
}
