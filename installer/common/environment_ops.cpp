#include "installer/common/environment_ops.h"

#include "installer/common/internal/actions.h"
#include "installer/common/delimited_lists.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_notices.h"

namespace kv::installer {
namespace {

constexpr const char* kEnvironmentKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr std::uint32_t kBroadcastTimeoutMs = 4000;

} // namespace

bool SetSystemEnvVar(std::string_view name, std::string_view value, bool broadcast) {
    const bool ok = RegWriteString(kEnvironmentKey, name, value);
    if (ok && broadcast) BroadcastEnvironment();
    return ok;
}

bool DeleteSystemEnvVar(std::string_view name, bool broadcast) {
    const bool ok = RegDeleteValueAt(kEnvironmentKey, name);
    if (ok && broadcast) BroadcastEnvironment();
    return ok;
}

void BroadcastEnvironment() {
    SendSettingChange("Environment", kBroadcastTimeoutMs);
}

bool EnvironmentOp(std::string_view record, bool install) {
    switch (internal::actionOf(ListItem(record, install ? 2 : 3))) {
    case internal::Action::Create:
        return SetSystemEnvVar(ListItem(record, 0), ListItem(record, 1), true);
    case internal::Action::Remove:
        return DeleteSystemEnvVar(ListItem(record, 0), true);
    case internal::Action::None:
        break;
    }
    return false;
}

} // namespace kv::installer
