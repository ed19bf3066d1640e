#include "installer/uninstall/shared_dll.h"

#include "installer/common/registry_primitives.h"

namespace kv::installer::uninstall {

std::uint32_t DecSharedDll(std::string_view filePath) {
    const RegPath p = SplitRegPath(
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
    registry::Key key;
    if (registry::createKey(p.root, p.subKey, key) != registry::Status::Success) return 0;
    registry::Value value;
    if (registry::queryValue(key, filePath, value) != registry::Status::Success) return 0;
    // The count is read as a signed number: anything not above 1 ends at 0.
    const auto count = static_cast<std::int32_t>(registry::dwordOf(value).value_or(0));
    const std::uint32_t lowered = count > 1 ? static_cast<std::uint32_t>(count - 1) : 0;
    registry::setValue(key, filePath, registry::dwordValue(lowered));
    if (lowered == 0) registry::deleteValue(key, filePath);
    return lowered;
}

} // namespace kv::installer::uninstall
