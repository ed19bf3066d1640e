#pragma once
// The process-wide state of each part of uninstall, dropped by resetForTests().

namespace kv::installer::uninstall::internal {

void resetUninstallState(); // the done flag and the test-mode answer

} // namespace kv::installer::uninstall::internal
