#include "installer/common/reset.h"

#include "installer/common/internal/reset.h"

namespace kv::installer {

void resetCommonForTests() {
    internal::resetFolders();
    internal::resetRunTimeDirs();
    internal::resetAssociations();
    internal::resetNotices();
    internal::resetSystemQueries();
    internal::resetExecOp();
    internal::resetExecProbes();
}

} // namespace kv::installer
