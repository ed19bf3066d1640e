#pragma once
// The process-wide state of each part of setup, dropped by resetForTests().

namespace kv::installer::internal {

void resetLanguage();   // the language file and its texts
void resetSetupState(); // the values of the whole run (setupState())

} // namespace kv::installer::internal
