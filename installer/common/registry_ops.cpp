#include "installer/common/registry_ops.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/internal/actions.h"
#include "installer/common/registry_primitives.h"
#include "platform/text/ansi.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace kv::installer {
namespace {

using registry::Status;

// The text's number as the conversion routines read it; 0 when it is not one.
std::uint32_t numberOf(std::string_view text) {
    std::int64_t number = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, number);
    if (ec != std::errc() || end != last || number < INT32_MIN || number > UINT32_MAX) return 0;
    return static_cast<std::uint32_t>(number);
}

// Keys a removal must never take with it: a root key, HKEY_LOCAL_MACHINE\Software and
// \SYSTEM, HKEY_CURRENT_USER\Software (empty path components ignored).
bool isProtectedKey(const RegPath& p) {
    std::vector<std::string_view> parts;
    for (std::string_view rest = p.subKey; !rest.empty();) {
        const std::size_t slash = rest.find('\\');
        const std::string_view part = rest.substr(0, slash);
        if (!part.empty()) parts.push_back(part);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    if (parts.empty()) return true;
    if (parts.size() > 1) return false;
    const bool software = text::equalsNoCase(parts[0], "Software");
    switch (p.root.root) {
    case registry::Root::LocalMachine:
        return software || text::equalsNoCase(parts[0], "SYSTEM");
    case registry::Root::CurrentUser:
        return software;
    default:
        return false;
    }
}

} // namespace

bool RegKeyExists(std::string_view keyPath) {
    const RegPath p = SplitRegPath(keyPath);
    registry::Key key;
    return registry::openKey(p.root, p.subKey, key) == Status::Success;
}

std::string RegReadString(std::string_view keyPath, std::string_view valueName, bool& isDword) {
    isDword = false;
    const RegPath p = SplitRegPath(keyPath);
    registry::Key key;
    registry::Value value;
    if (registry::openKey(p.root, p.subKey, key) != Status::Success ||
        registry::queryValue(key, valueName, value) != Status::Success)
        return {};
    if (value.type == registry::ValueType::Dword) {
        isDword = true;
        return std::to_string(registry::dwordOf(value).value_or(0));
    }
    return registry::textOf(value);
}

bool RegDeleteKeyIfExists(std::string_view keyPath) {
    const RegPath p = SplitRegPath(keyPath);
    if (isProtectedKey(p)) return false;
    if (!RegKeyExists(keyPath)) return true;
    return registry::deleteTree(p.root, p.subKey) == Status::Success;
}

bool RegWriteTyped(std::string_view keyPath, std::string_view valueName, std::string_view valueText,
                   std::string_view type) {
    const RegPath p = SplitRegPath(keyPath);
    registry::Key key;
    if (registry::createKey(p.root, p.subKey, key) != Status::Success) return false;
    if (text::equalsNoCase(type, "String"))
        return registry::setValue(key, valueName, registry::stringValue(valueText)) ==
               Status::Success;
    if (text::equalsNoCase(type, "Integer"))
        return registry::setValue(key, valueName, registry::dwordValue(numberOf(valueText))) ==
               Status::Success;
    return true;
}

bool RegistryOp(std::string_view record, bool install) {
    switch (internal::actionOf(ListItem(record, install ? 3 : 4))) {
    case internal::Action::Create:
        return RegWriteTyped(ListItem(record, 0), ListItem(record, 1), ListItem(record, 2),
                             ListItem(record, 5));
    case internal::Action::Remove:
        return RegDeleteKeyIfExists(ListItem(record, 0));
    case internal::Action::None:
        break;
    }
    return false;
}

} // namespace kv::installer
