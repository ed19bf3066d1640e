#include "client/service/pump.h"

#include "platform/ui/application.h"

namespace kv::service {

void pumpMessages() {
    kv::ui::app().processMessages();
}

} // namespace kv::service
