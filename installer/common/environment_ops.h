#pragma once
// System environment variables (kept in the registry) and the environment operation record.

#include <string_view>

namespace kv::installer {

// Writes the variable as REG_SZ in the machine's environment key (HKEY_LOCAL_MACHINE,
// Session Manager); broadcasts the change on success when asked.
bool SetSystemEnvVar(std::string_view name, std::string_view value, bool broadcast);
// Deletes the variable there; broadcasts on success when asked.
bool DeleteSystemEnvVar(std::string_view name, bool broadcast);
// Tells all top-level windows that the environment changed (waiting at most 4000 ms).
void BroadcastEnvironment();

// Record items: 0 name, 1 value, 2 install action, 3 uninstall action. "Create" sets the
// variable, "Remove" deletes it; both broadcast.
bool EnvironmentOp(std::string_view record, bool install);

} // namespace kv::installer
