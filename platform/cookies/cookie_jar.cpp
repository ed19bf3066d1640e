#include "platform/cookies/cookie_jar.h"

#include "platform/system/machine.h"
#include "platform/text/ansi.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace kv::cookies {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// "http://host:port/path" -> host (lower case) and path; false without a host.
bool splitUrl(std::string_view url, std::string& host, std::string& path) {
    const auto scheme = url.find("://");
    if (scheme == std::string_view::npos) return false;
    std::string_view rest = url.substr(scheme + 3);
    const auto slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    path = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (const auto colon = authority.find(':'); colon != std::string_view::npos)
        authority = authority.substr(0, colon);
    host = text::toLower(authority, 1252);
    return !host.empty();
}

struct Cookie {
    std::string domain;
    bool subdomains = false;
    std::string path = "/";
    bool secure = false;
    std::int64_t expires = 0;
    std::string name;
    std::string value;
};

std::string lineOf(const Cookie& c) {
    std::ostringstream out;
    out << c.domain << '\t' << (c.subdomains ? "TRUE" : "FALSE") << '\t' << c.path << '\t'
        << (c.secure ? "TRUE" : "FALSE") << '\t' << c.expires << '\t' << c.name << '\t' << c.value;
    return out.str();
}

// Domain, path and name of a jar line, to find the cookie it replaces.
bool sameCookie(const std::string& line, const Cookie& c) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, '\t');)
        fields.push_back(f);
    return fields.size() >= 7 && fields[0] == c.domain && fields[2] == c.path &&
           fields[5] == c.name;
}

int monthOf(std::string_view name) {
    static const char* kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                    "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int i = 0; i < 12; ++i)
        if (name.size() >= 3 && text::equalsNoCase(name.substr(0, 3), kMonths[i], 1252)) return i;
    return -1;
}

} // namespace

std::optional<std::int64_t> parseExpiry(std::string_view s) {
    s = trim(s);
    if (const auto comma = s.find(','); comma != std::string_view::npos)
        s.remove_prefix(comma + 1); // the weekday
    // Tokens split at blanks and dashes: day, month, year, time.
    std::vector<std::string_view> tokens;
    std::size_t pos = 0;
    while (pos < s.size()) {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '-'))
            ++pos;
        std::size_t end = pos;
        while (end < s.size() && s[end] != ' ' && s[end] != '-')
            ++end;
        if (end > pos) tokens.push_back(s.substr(pos, end - pos));
        pos = end;
    }
    if (tokens.size() < 4) return std::nullopt;
    std::tm tm{};
    const int month = monthOf(tokens[1]);
    int hh = 0, mm = 0, ss = 0;
    try {
        tm.tm_mday = std::stoi(std::string(tokens[0]));
        int year = std::stoi(std::string(tokens[2]));
        if (year < 70)
            year += 2000;
        else if (year < 100)
            year += 1900;
        tm.tm_year = year - 1900;
    } catch (...) {
        return std::nullopt;
    }
    if (month < 0 || std::sscanf(std::string(tokens[3]).c_str(), "%d:%d:%d", &hh, &mm, &ss) != 3)
        return std::nullopt;
    tm.tm_mon = month;
    tm.tm_hour = hh;
    tm.tm_min = mm;
    tm.tm_sec = ss;
    return static_cast<std::int64_t>(::timegm(&tm));
}

std::filesystem::path jarPath() {
    const machine::Machine& m = machine::current();
    return m.runtimeFolder() / "cookies" / (m.profile().userName + ".txt");
}

bool setCookie(std::string_view url, std::string_view name, std::string_view data) {
    Cookie c;
    std::string urlPath;
    if (name.empty() || name.find_first_of("\t\r\n;=") != std::string_view::npos ||
        !splitUrl(url, c.domain, urlPath))
        return false;
    c.name = std::string(name);
    std::string_view rest = data;
    const auto semi = rest.find(';');
    c.value = std::string(trim(rest.substr(0, semi)));
    rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
    while (!rest.empty()) {
        const auto next = rest.find(';');
        const std::string_view part = trim(rest.substr(0, next));
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        const auto eq = part.find('=');
        const std::string_view key = trim(part.substr(0, eq));
        const std::string_view value =
            eq == std::string_view::npos ? "" : trim(part.substr(eq + 1));
        if (text::equalsNoCase(key, "expires", 1252)) {
            const auto when = parseExpiry(value);
            // A date already past keeps the cookie for the session instead of dropping it.
            c.expires = when && *when > std::time(nullptr) ? *when : 0;
        } else if (text::equalsNoCase(key, "path", 1252) && !value.empty()) {
            c.path = std::string(value);
        } else if (text::equalsNoCase(key, "domain", 1252) && !value.empty()) {
            c.domain = text::toLower(value, 1252);
            if (c.domain.front() != '.') c.domain.insert(0, ".");
            c.subdomains = true;
        } else if (text::equalsNoCase(key, "secure", 1252)) {
            c.secure = true;
        }
    }
    if (c.value.find_first_of("\t\r\n") != std::string::npos) return false;

    const std::filesystem::path jar = jarPath();
    std::error_code ec;
    std::filesystem::create_directories(jar.parent_path(), ec);
    const int lock = ::open((jar.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0) return false;
    while (::flock(lock, LOCK_EX) != 0)
        if (errno != EINTR) {
            ::close(lock);
            return false;
        }
    std::vector<std::string> lines;
    {
        std::ifstream in(jar);
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line[0] != '#' && !sameCookie(line, c))
                lines.push_back(line);
            else if (line.rfind("#HttpOnly_", 0) == 0 && !sameCookie(line.substr(10), c))
                lines.push_back(line);
    }
    lines.push_back(lineOf(c));
    const std::string temp = jar.string() + ".tmp." + std::to_string(::getpid());
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << "# Netscape HTTP Cookie File\n";
        for (const std::string& line : lines)
            out << line << '\n';
        out.flush();
        ok = static_cast<bool>(out);
    }
    ok = ok && std::rename(temp.c_str(), jar.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    ::close(lock);
    return ok;
}

} // namespace kv::cookies
