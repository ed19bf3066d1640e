// STUB: does nothing yet; the self-deletion replaces this file.
#include "installer/uninstall/self_delete.h"

namespace kv::installer::uninstall {

void StartSelfDelete(bool) {}

} // namespace kv::installer::uninstall
