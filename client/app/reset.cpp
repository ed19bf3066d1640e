#include "client/app/reset.h"

#include "client/app/internal/reset.h"

namespace kv::app {

void resetForTests() {
    internal::resetStartup();
    internal::resetSecurity();
    internal::resetListState();
    internal::resetListDisplay();
}

} // namespace kv::app
