#include "installer/setup/reset.h"

#include "installer/common/reset.h"
#include "installer/setup/internal/reset.h"

namespace kv::installer {

void resetForTests() {
    internal::resetLanguage();
    internal::resetSetupState();
    resetCommonForTests();
}

} // namespace kv::installer
