#include "platform/cookies/cookie_jar.h"

#include "platform/system/host_files.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kv::cookies {
namespace {

// The host of "http://host:port/path", lower-cased; empty when there is none.
std::string hostOf(std::string_view url) {
    const auto scheme = url.find("://");
    if (scheme == std::string_view::npos) return {};
    std::string_view rest = url.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    rest = rest.substr(rest.find('@') == std::string_view::npos ? 0 : rest.find('@') + 1);
    rest = rest.substr(0, rest.find(':'));
    return text::toLower(rest);
}

std::string pathOf(std::string_view url) {
    const auto scheme = url.find("://");
    const auto slash = url.find('/', scheme == std::string_view::npos ? 0 : scheme + 3);
    if (slash == std::string_view::npos) return "/";
    std::string_view path = url.substr(slash);
    path = path.substr(0, path.find_first_of("?#"));
    return std::string(path);
}

// Whether a page on host may set a cookie for domain: the host itself, or a domain above it
// that still names a site (never a bare top-level name such as "com"); an address (digits and
// dots) has no domain above it.
bool ownDomain(const std::string& host, const std::string& domain) {
    if (host == domain) return true;
    if (domain.find('.') == std::string::npos) return false;
    if (host.find_first_not_of("0123456789.") == std::string::npos) return false;
    return host.size() > domain.size() && host.ends_with(domain) &&
           host[host.size() - domain.size() - 1] == '.';
}

// Holds an exclusive lock on the jar's lock file while it lives.
class JarLock {
public:
    explicit JarLock(const std::string& file)
        : fd_(::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~JarLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    JarLock(const JarLock&) = delete;
    JarLock& operator=(const JarLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

// Tabs and line breaks would break the jar's lines; they are no part of a cookie.
std::string lineSafe(std::string_view text) {
    std::string out(text);
    std::erase_if(out, [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; });
    return out;
}

} // namespace

std::string jarFile() {
    const machine::Machine& m = machine::current();
    std::string user = m.profile().userName;
    for (char& c : user)
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    return (m.runtimeFolder() / ("cookies-" + text::toUtf8(user) + ".txt")).string();
}

bool setCookie(std::string_view url, std::string_view name, std::string_view data) {
    Cookie c;
    c.domain = hostOf(url);
    // A host with a tab or a line break is no host; dropping them would name another one.
    if (c.domain.empty() || c.domain != lineSafe(c.domain) || name.empty()) return false;
    c.path = lineSafe(pathOf(url));
    const std::vector<std::string_view> parts = text::splitAt(data, ';');
    c.value = lineSafe(text::trimBlanks(parts[0]));
    c.name = lineSafe(name);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view attr = text::trimBlanks(parts[i]);
        const auto eq = attr.find('=');
        const std::string key = text::toLower(text::trimBlanks(attr.substr(0, eq)));
        const std::string value =
            lineSafe(eq == std::string_view::npos ? "" : text::trimBlanks(attr.substr(eq + 1)));
        if (key == "expires") {
            const std::int64_t when = curl_getdate(value.c_str(), nullptr);
            // A date that has passed keeps the cookie for the session instead of dropping it.
            c.expires = when > static_cast<std::int64_t>(std::time(nullptr)) ? when : 0;
        } else if (key == "path" && !value.empty()) {
            c.path = value;
        } else if (key == "domain" && !value.empty()) {
            c.domain = text::toLower(value.front() == '.' ? value : "." + value);
            c.includeSubdomains = true;
        } else if (key == "secure") {
            c.secure = true;
        }
    }
    const std::string file = jarFile();
    JarLock lock(file);
    if (!lock.held()) return false;
    std::string text;
    // A jar that cannot be read is not replaced by one holding only this cookie.
    if (machine::readHostFile(file, text) == machine::HostRead::Unreadable) return false;
    std::vector<Cookie> cookies = parseJar(text);
    bool replaced = false;
    for (Cookie& old : cookies)
        if (old.domain == c.domain && old.path == c.path && old.name == c.name) {
            old = c;
            replaced = true;
        }
    if (!replaced) cookies.push_back(c);
    return machine::writeHostFileAtomically(file, formatJar(cookies));
}

bool storeResponseCookie(std::string_view url, std::string_view header) {
    const auto eq = header.find('=');
    const auto semicolon = header.find(';');
    if (eq == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < eq))
        return false;
    const std::string_view name = text::trimBlanks(header.substr(0, eq));
    const std::string_view data = header.substr(eq + 1);
    // A page may set a cookie for its own host and the domains above it, never for another.
    for (std::string_view part : text::splitAt(data, ';')) {
        part = text::trimBlanks(part);
        const auto at = part.find('=');
        if (at == std::string_view::npos ||
            text::toLower(text::trimBlanks(part.substr(0, at))) != "domain")
            continue;
        std::string domain = text::toLower(text::trimBlanks(part.substr(at + 1)));
        if (!domain.empty() && domain.front() == '.') domain.erase(0, 1);
        if (domain.empty()) continue;
        if (!ownDomain(hostOf(url), domain)) return false;
    }
    return setCookie(url, name, data);
}

std::vector<Cookie> allCookies() {
    std::string text;
    machine::readHostFile(jarFile(), text);
    return parseJar(text);
}

std::string formatJar(const std::vector<Cookie>& cookies) {
    std::string out = "# Netscape HTTP Cookie File\n";
    for (const Cookie& c : cookies)
        out += c.domain + "\t" + (c.includeSubdomains ? "TRUE" : "FALSE") + "\t" + c.path + "\t" +
               (c.secure ? "TRUE" : "FALSE") + "\t" + std::to_string(c.expires) + "\t" + c.name +
               "\t" + c.value + "\n";
    return out;
}

std::vector<Cookie> parseJar(std::string_view text) {
    std::vector<Cookie> cookies;
    for (std::string_view line : text::splitAt(text, '\n')) {
        // Every CR at the end goes: a cookie's value never ends in one (and a kept one would
        // be lost when the jar is written again).
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::vector<std::string_view> f = text::splitAt(line, '\t');
        if (f.size() != 7) continue;
        Cookie c;
        c.domain = std::string(f[0]);
        c.includeSubdomains = f[1] == "TRUE";
        c.path = std::string(f[2]);
        c.secure = f[3] == "TRUE";
        c.expires = std::strtoll(std::string(f[4]).c_str(), nullptr, 10);
        c.name = std::string(f[5]);
        c.value = std::string(f[6]);
        cookies.push_back(std::move(c));
    }
    return cookies;
}

} // namespace kv::cookies
