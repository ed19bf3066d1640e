// The cookie jar: any jar text is read without a crash, and the cookies read are written
// and read back unchanged; a cookie set from any URL, name and data leaves a jar whose
// every line reads back as a cookie, holding at most one more cookie than before.
//
// Input: the jar text, then optionally a NUL byte and the URL, name and data of a cookie
// to set, separated by NUL bytes.

#include "fuzz/driver/fuzz_support.h"
#include "platform/cookies/cookie_jar.h"
#include "platform/system/host_files.h"

namespace {

using kv::cookies::Cookie;
using kv::fuzz::check;

bool same(const std::vector<Cookie>& a, const std::vector<Cookie>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].domain != b[i].domain || a[i].includeSubdomains != b[i].includeSubdomains ||
            a[i].path != b[i].path || a[i].secure != b[i].secure || a[i].expires != b[i].expires ||
            a[i].name != b[i].name || a[i].value != b[i].value)
            return false;
    return true;
}

std::size_t lineCount(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += c == '\n';
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::vector<std::string_view> parts = kv::fuzz::split(kv::fuzz::asText(data, size), '\0');
    const std::vector<Cookie> cookies = kv::cookies::parseJar(parts[0]);
    check(same(kv::cookies::parseJar(kv::cookies::formatJar(cookies)), cookies),
          "cookies written and read back are unchanged");
    if (parts.size() < 4) return 0;
    const std::string jar = kv::cookies::jarFile();
    const std::string before = kv::cookies::formatJar(cookies);
    check(kv::machine::writeHostFileAtomically(jar, before), "the jar is written");
    kv::cookies::setCookie(parts[1], parts[2], parts[3]);
    std::string after;
    kv::machine::readHostFile(jar, after);
    const std::size_t count = kv::cookies::allCookies().size();
    check(count <= cookies.size() + 1, "a cookie set adds at most one cookie");
    check(lineCount(after) == count + 1, "every line of the jar but its title is a cookie");
    return 0;
}
