#include "platform/system/profile.h"

#include "platform/system/host_files.h"

#include "platform/text/ansi.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

namespace kv::machine {
namespace {

std::string trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return std::string(s.substr(b, e - b));
}

// A value written in double quotes keeps its blanks; the quotes are not part of it.
std::string unquote(const std::string& v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

template <typename T>
void readNumber(const std::map<std::string, std::string>& kv, const char* key, T& out) {
    auto it = kv.find(key);
    if (it == kv.end()) return;
    T value{};
    const std::string& s = it->second;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc() && p == s.data() + s.size()) out = value;
}

// A screen measure: a whole number from 1 to max, else the default stays (a size of 0 or
// less would leave no work area, and 0 pixels per inch no scale).
void readMeasure(const std::map<std::string, std::string>& kv, const char* key, int max, int& out) {
    int value = 0;
    readNumber(kv, key, value);
    if (value >= 1 && value <= max) out = value;
}

void readBool(const std::map<std::string, std::string>& kv, const char* key, bool& out) {
    int v = out ? 1 : 0;
    readNumber(kv, key, v);
    out = v != 0;
}

void readText(const std::map<std::string, std::string>& kv, const char* key, int codePage,
              std::string& out) {
    auto it = kv.find(key);
    if (it != kv.end()) out = text::fromUtf8(unquote(it->second), codePage);
}

std::string quoted(const std::string& ansi, int codePage) {
    return "\"" + text::toUtf8(ansi, codePage) + "\"";
}

// A drive's host folder as its line holds it: in double quotes only when it would not read
// back as it stands (blanks at an end, or quotes round it).
std::string driveFolderText(const std::string& folder) {
    return unquote(trim(folder)) == folder ? folder : "\"" + folder + "\"";
}

} // namespace

Profile defaultProfile() {
    Profile p;
    p.drives = {Drive{'C', kDriveFixed, "drives/C"}, Drive{'Z', kDriveRemovable, "/"}};
    return p;
}

std::string formatProfile(const Profile& p) {
    const int cp = p.locale.codePage;
    std::ostringstream o;
    o << "# Machine profile. Text values are in double quotes; drive lines give the drive\n"
         "# type (2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk) and the host folder\n"
         "# (relative to the machine folder unless absolute).\n";
    o << "os.platform_id = " << p.os.platformId << "\n";
    o << "os.major = " << p.os.major << "\n";
    o << "os.minor = " << p.os.minor << "\n";
    o << "os.build = " << p.os.build << "\n";
    o << "os.service_pack = " << quoted(p.os.servicePack, cp) << "\n";
    o << "user.name = " << quoted(p.userName, cp) << "\n";
    o << "user.admin = " << (p.isAdmin ? 1 : 0) << "\n";
    o << "computer.name = " << quoted(p.computerName, cp) << "\n";
    o << "visual_styles = " << (p.visualStyles ? 1 : 0) << "\n";
    o << "locale.id = " << p.locale.localeId << "\n";
    o << "locale.code_page = " << p.locale.codePage << "\n";
    o << "locale.decimal = " << quoted(p.locale.decimalSeparator, cp) << "\n";
    o << "locale.thousands = " << quoted(p.locale.thousandsSeparator, cp) << "\n";
    o << "screen.width = " << p.screen.width << "\n";
    o << "screen.height = " << p.screen.height << "\n";
    o << "screen.bits_per_pixel = " << p.screen.bitsPerPixel << "\n";
    o << "screen.planes = " << p.screen.planes << "\n";
    o << "screen.pixels_per_inch = " << p.screen.pixelsPerInch << "\n";
    o << "memory.bytes = " << p.memoryBytes << "\n";
    o << "folder.windows = " << quoted(p.folders.windows, cp) << "\n";
    o << "folder.system = " << quoted(p.folders.system, cp) << "\n";
    o << "folder.program_files = " << quoted(p.folders.programFiles, cp) << "\n";
    o << "folder.profiles = " << quoted(p.folders.profiles, cp) << "\n";
    for (const Drive& d : p.drives)
        o << "drive." << d.letter << " = " << d.type << " "
          << driveFolderText(d.hostFolder.string()) << "\n";
    return o.str();
}

Profile parseProfile(std::string_view textIn) {
    std::map<std::string, std::string> kv;
    std::vector<Drive> drives;
    std::istringstream in{std::string(textIn)};
    std::string line;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == '#' || t[0] == ';') continue;
        size_t eq = t.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(t.substr(0, eq));
        std::string value = trim(t.substr(eq + 1));
        if (key.size() == 7 && key.rfind("drive.", 0) == 0 &&
            std::isalpha(static_cast<unsigned char>(key[6]))) {
            size_t sp = value.find(' ');
            if (sp == std::string::npos) continue;
            Drive d;
            d.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key[6])));
            std::string typeText = value.substr(0, sp);
            auto [p, ec] =
                std::from_chars(typeText.data(), typeText.data() + typeText.size(), d.type);
            if (ec != std::errc() || p != typeText.data() + typeText.size()) continue;
            d.hostFolder = unquote(trim(value.substr(sp + 1)));
            if (d.hostFolder.empty()) continue;
            std::erase_if(drives, [&](const Drive& x) { return x.letter == d.letter; });
            drives.push_back(d);
            continue;
        }
        kv[key] = value;
    }

    Profile p = defaultProfile();
    readNumber(kv, "locale.code_page", p.locale.codePage);
    const int cp = text::isKnownCodePage(p.locale.codePage) ? p.locale.codePage : 1252;
    readNumber(kv, "os.platform_id", p.os.platformId);
    readNumber(kv, "os.major", p.os.major);
    readNumber(kv, "os.minor", p.os.minor);
    readNumber(kv, "os.build", p.os.build);
    readText(kv, "os.service_pack", cp, p.os.servicePack);
    readText(kv, "user.name", cp, p.userName);
    readBool(kv, "user.admin", p.isAdmin);
    readText(kv, "computer.name", cp, p.computerName);
    readBool(kv, "visual_styles", p.visualStyles);
    readNumber(kv, "locale.id", p.locale.localeId);
    readText(kv, "locale.decimal", cp, p.locale.decimalSeparator);
    readText(kv, "locale.thousands", cp, p.locale.thousandsSeparator);
    readMeasure(kv, "screen.width", 1000000, p.screen.width);
    readMeasure(kv, "screen.height", 1000000, p.screen.height);
    readNumber(kv, "screen.bits_per_pixel", p.screen.bitsPerPixel);
    readNumber(kv, "screen.planes", p.screen.planes);
    readMeasure(kv, "screen.pixels_per_inch", 10000, p.screen.pixelsPerInch);
    readNumber(kv, "memory.bytes", p.memoryBytes);
    readText(kv, "folder.windows", cp, p.folders.windows);
    readText(kv, "folder.system", cp, p.folders.system);
    readText(kv, "folder.program_files", cp, p.folders.programFiles);
    readText(kv, "folder.profiles", cp, p.folders.profiles);
    if (!drives.empty()) {
        std::sort(drives.begin(), drives.end(),
                  [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
        p.drives = std::move(drives);
    }
    return p;
}

std::optional<Profile> loadProfile(const std::filesystem::path& file) {
    std::string text;
    if (readHostFile(file, text) != HostRead::Ok) return std::nullopt;
    return parseProfile(text);
}

bool saveProfile(const std::filesystem::path& file, const Profile& profile) {
    return writeHostFileAtomically(file, formatProfile(profile));
}

const Drive* findDrive(const Profile& profile, char letter) {
    char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const Drive& d : profile.drives)
        if (d.letter == up) return &d;
    return nullptr;
}

} // namespace kv::machine
