#include "client/service/pump.h"

#include "platform/ui/application.h"

namespace kv::service {

void pumpMessages() {
    kv::ui::app().processMessages();
}

void repaintWindows() {
    kv::ui::app().backend().repaint();
}

} // namespace kv::service
