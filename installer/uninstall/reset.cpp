#include "installer/uninstall/reset.h"

#include "installer/common/reset.h"
#include "installer/uninstall/internal/reset.h"

namespace kv::installer::uninstall {

void resetForTests() {
    internal::resetUninstallState();
    resetCommonForTests();
}

} // namespace kv::installer::uninstall
