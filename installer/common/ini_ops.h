#pragma once
// The INI operation record: what setup writes to an INI file and what uninstall removes.

#include <string_view>

namespace kv::installer {

// Record items: 0 INI file (machine path), 1 section, 2 key, 3 value, 4 install action,
// 5 uninstall action. "Create" writes the key, "Remove" deletes only that key.
bool IniFileOp(std::string_view record, bool install);

} // namespace kv::installer
