#include "installer/common/registry_primitives.h"

#include "installer/common/internal/machine_files.h"
#include "installer/common/internal/trim.h"
#include "platform/ini/ini_file.h"
#include "platform/text/ansi.h"

namespace kv::installer {
namespace {

// The platform's buffer for a value read as text.
constexpr std::size_t kValueBuffer = 2048;

} // namespace

registry::Key RootKeyOf(std::string_view rootName) {
    return registry::rootKey(registry::rootByName(rootName).value_or(registry::Root::CurrentUser));
}

RegPath SplitRegPath(std::string_view fullPath) {
    const std::string_view path = internal::trimBlanks(fullPath);
    const auto slash = path.find('\\');
    if (path.size() < 5 || !text::equalsNoCase(path.substr(0, 5), "HKEY_") ||
        slash == std::string_view::npos)
        return {registry::rootKey(registry::Root::CurrentUser), std::string(path)};
    return {RootKeyOf(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

bool RegWriteString(std::string_view keyPath, std::string_view valueName, std::string_view text) {
    const RegPath p = SplitRegPath(keyPath);
    registry::Key key;
    if (registry::createKey(p.root, p.subKey, key) != registry::Status::Success) return false;
    return registry::setValue(key, valueName, registry::stringValue(text)) ==
           registry::Status::Success;
}

std::string RegReadValue(std::string_view keyPath, std::string_view valueName,
                         std::string_view defaultValue) {
    const RegPath p = SplitRegPath(keyPath);
    registry::Key key;
    registry::Value value;
    if (registry::openKey(p.root, p.subKey, key) != registry::Status::Success ||
        registry::queryValue(key, valueName, value) != registry::Status::Success ||
        value.data.size() > kValueBuffer)
        return std::string(defaultValue);
    if (value.type == registry::ValueType::Dword) {
        if (const auto number = registry::dwordOf(value)) return std::to_string(*number);
    }
    return registry::textOf(value);
}

bool RegDeleteValueAt(std::string_view keyPath, std::string_view valueName) {
    const RegPath p = SplitRegPath(keyPath);
    registry::Key key;
    return registry::openKey(p.root, p.subKey, key) == registry::Status::Success &&
           registry::deleteValue(key, valueName) == registry::Status::Success;
}

std::string IniReadString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
    return ini::getProfileString(section, key, defaultValue, internal::profileHostFile(file),
                                 ini::kDefaultBuffer);
}

bool IniWriteString(std::string_view file, std::string_view section, std::string_view key,
                    std::string_view value) {
    const std::string host = internal::writableProfileHostFile(file);
    return !host.empty() && ini::writeProfileString(section, key, value, host);
}

} // namespace kv::installer
