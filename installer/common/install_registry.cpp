#include "installer/common/install_registry.h"

#include "installer/common/registry_primitives.h"
#include "installer/common/system_queries.h"
#include "installer/common/text_utils.h"
#include "platform/text/ansi.h"

#include <array>
#include <chrono>

namespace kv::installer {
namespace {

constexpr const char* kMachine = "HKEY_LOCAL_MACHINE\\";
constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr std::size_t kSlowInfoSize = 552;
constexpr std::size_t kNameOffset = 28;
constexpr std::size_t kNameUnits = (kSlowInfoSize - kNameOffset) / 2;

std::string uninstallKey(std::string_view program) {
    return std::string(kCurrentVersion) + "\\UnInstall\\" + std::string(program);
}

std::string appPathsKey(std::string_view programFile) {
    return std::string(kMachine) + kCurrentVersion + "\\App Paths\\" + std::string(programFile);
}

void putLittleEndian(std::string& bytes, std::size_t offset, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The UTF-16 code units of an ANSI text.
std::u16string utf16Of(std::string_view ansi) {
    const std::string utf8 = text::toUtf8(ansi);
    std::u16string result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra) cp = c & (0x3F >> extra);
        for (++i; extra > 0 && i < utf8.size(); --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(cp));
        }
    }
    return result;
}

// The current time in the platform's units (100 ns since 1601, UTC).
std::uint64_t nowAsFileTime() {
    constexpr std::uint64_t kUnixEpoch = 116444736000000000ull;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    return kUnixEpoch + static_cast<std::uint64_t>(ns / 100);
}

std::string slowInfoRecord(std::string_view programFile, std::uint64_t size) {
    std::string bytes(kSlowInfoSize, '\0');
    putLittleEndian(bytes, 0, kSlowInfoSize, 4);
    putLittleEndian(bytes, 4, 1, 4);
    putLittleEndian(bytes, 8, size, 8);
    putLittleEndian(bytes, 16, nowAsFileTime(), 8);
    putLittleEndian(bytes, 24, 5, 4);
    std::u16string name = utf16Of(programFile);
    // The last unit stays zero so the name is always terminated.
    if (name.size() > kNameUnits - 1) name.resize(kNameUnits - 1);
    for (std::size_t i = 0; i < name.size(); ++i)
        putLittleEndian(bytes, kNameOffset + 2 * i, name[i], 2);
    return bytes;
}

} // namespace

std::string WriteUninstallEntry(std::string_view program, std::string_view uninstallCommand,
                                std::string_view displayVersion, std::string_view publisher) {
    if (program.empty() || uninstallCommand.empty()) return {};
    const std::string key = kMachine + uninstallKey(program);
    RegWriteString(key, "DisplayName", program);
    RegWriteString(key, "UnInstallString", uninstallCommand);
    RegWriteString(key, "DisplayVersion", displayVersion);
    RegWriteString(key, "Publisher", publisher);
    return key;
}

std::string WriteInstallSize(std::string_view program, std::string_view programFile,
                             std::uint64_t size) {
    const std::string os = GetOSShortName();
    if (os == "95" || os == "98" || os == "ME" || os == "NT") return {};
    if (program.empty() || programFile.empty() || size == 0) return {};
    const std::string key = std::string(kMachine) + kCurrentVersion +
                            "\\App Management\\ARPCache\\" + std::string(program);
    const RegPath p = SplitRegPath(key);
    registry::Key k;
    if (registry::createKey(p.root, p.subKey, k) != registry::Status::Success) return {};
    registry::setValue(k, "SlowInfoCache",
                       registry::binaryValue(slowInfoRecord(programFile, size)));
    registry::setValue(k, "Changed", registry::dwordValue(0));
    return key;
}

std::string ReadUninstallString(std::string_view program, std::string_view defaultValue) {
    return RegReadValue(kMachine + uninstallKey(program), "UnInstallString", defaultValue);
}

std::string WriteUserRegistration(std::string_view company, std::string_view program,
                                  std::string_view subKey, std::string_view userName,
                                  std::string_view companyName) {
    if (company.empty() || program.empty() || subKey.empty()) return {};
    std::string path = CollapseBackslashes("Software\\" + std::string(company) + "\\" +
                                           std::string(program) + "\\" + std::string(subKey));
    if (!path.empty() && path.back() == '\\') path.pop_back();
    const std::string key = kMachine + path;
    const RegPath p = SplitRegPath(key);
    registry::Key k;
    if (registry::createKey(p.root, p.subKey, k) != registry::Status::Success) return {};
    if (!userName.empty()) RegWriteString(key, "Name", userName);
    if (!companyName.empty()) RegWriteString(key, "Company", companyName);
    return key;
}

std::string CreateProgramKey(std::string_view company, std::string_view program,
                             std::string_view subKey) {
    const std::string programKey =
        std::string(kMachine) + "Software\\" + std::string(company) + "\\" + std::string(program);
    const RegPath p = SplitRegPath(programKey + "\\" + std::string(subKey));
    registry::Key k;
    registry::createKey(p.root, p.subKey, k);
    return programKey;
}

std::string WriteAppPath(std::string_view programPath) {
    const auto slash = programPath.rfind('\\');
    const std::string_view file =
        slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
    std::string folder(slash == std::string_view::npos ? std::string_view{}
                                                       : programPath.substr(0, slash));
    if (!folder.empty() && folder.back() == ':') folder.pop_back();
    const std::string key = appPathsKey(file);
    RegWriteString(key, "", programPath);
    RegWriteString(key, "Path", folder);
    return key;
}

std::string ReadAppPathExe(std::string_view programFile) {
    return RegReadValue(appPathsKey(programFile), "", "");
}

std::string ReadAppPathDir(std::string_view programFile) {
    return RegReadValue(appPathsKey(programFile), "Path", "");
}

std::string GetRegisteredOwner() {
    return RegReadValue(std::string(kMachine) + kCurrentVersion, "RegisteredOwner", "");
}

std::string GetRegisteredOrganization() {
    return RegReadValue(std::string(kMachine) + kCurrentVersion, "RegisteredOrganization", "");
}

std::uint32_t IncSharedDll(std::string_view filePath) {
    const RegPath p = SplitRegPath(std::string(kMachine) + kCurrentVersion + "\\SharedDLLs");
    registry::Key k;
    if (registry::createKey(p.root, p.subKey, k) != registry::Status::Success) return 0;
    registry::Value value;
    std::uint32_t count = 0;
    if (registry::queryValue(k, filePath, value) == registry::Status::Success)
        count = registry::dwordOf(value).value_or(0);
    ++count;
    registry::setValue(k, filePath, registry::dwordValue(count));
    return count;
}

} // namespace kv::installer
