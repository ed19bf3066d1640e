#include "installer/uninstall/reset.h"

#include "installer/common/reset.h"

namespace kv::installer::uninstall {

void resetForTests() {
    resetCommonForTests();
}

} // namespace kv::installer::uninstall
