#include "installer/common/internal/system_text.h"

#include "installer/common/internal/trim.h"
#include "installer/common/text_utils.h"

#include <cstddef>

namespace kv::installer::internal {

std::string versionText(const OsVersionValues& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor);
}

bool isWinXP(const OsVersionValues& v) {
    return v.platformId == 2 && versionText(v) == "5.1";
}

std::string osShortName(const OsVersionValues& v) {
    const std::string version = versionText(v);
    if (v.platformId == 0) return "32S";
    if (v.platformId == 1) {
        if (version == "4.0") return "95";
        if (version == "4.10") return "98";
        if (version == "4.90") return "ME";
    } else if (v.platformId == 2) {
        if (version == "4.0") return "NT";
        if (version == "5.0") return "2000";
        if (version == "5.1") return "XP";
    }
    return version;
}

std::string osDescription(const OsVersionValues& v) {
    std::string result =
        "Win" + osShortName(v) + "  " + versionText(v) + "  " + std::to_string(v.build);
    if (!trimBlanks(v.servicePack).empty()) result += " (" + v.servicePack + ")";
    return result;
}

std::string commandTail(std::string_view commandLine, std::string_view exePath) {
    std::string tail(commandLine);
    const int p = PosText(exePath, tail);
    if (p > 0) tail.erase(static_cast<std::size_t>(p - 1), exePath.size());
    const std::size_t first = tail.find_first_not_of(" \"");
    if (first == std::string::npos) return {};
    const std::size_t last = tail.find_last_not_of(" \"");
    return tail.substr(first, last - first + 1);
}

std::string switchValue(std::string_view tail, std::string_view switchText) {
    const int p = PosText(switchText, tail);
    if (p == 0) return {};
    std::string_view rest = tail.substr(static_cast<std::size_t>(p - 1) + switchText.size());
    std::string_view value;
    if (!rest.empty() && rest.front() == '"') {
        // A quoted value runs to the next quote, or to the end when the quote was stripped.
        rest.remove_prefix(1);
        value = rest.substr(0, rest.find('"'));
    } else {
        value = rest.substr(0, rest.find_first_of(" /"));
    }
    value = trimBlanks(value);
    if (value.empty()) return "TRUE";
    return std::string(value);
}

} // namespace kv::installer::internal
