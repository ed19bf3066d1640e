#include "platform/ui/control_host.h"

namespace kv::ui {
namespace {

std::unique_ptr<ControlHost>& current() {
    static std::unique_ptr<ControlHost> host = std::make_unique<ControlHost>();
    return host;
}

} // namespace

ControlHost& controlHost() {
    return *current();
}

void setControlHost(std::unique_ptr<ControlHost> host) {
    current() = host ? std::move(host) : std::make_unique<ControlHost>();
}

void resetControlHost() {
    setControlHost(nullptr);
}

} // namespace kv::ui
