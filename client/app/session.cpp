#include "client/app/session.h"

#include <memory>

namespace kv::app {
namespace {

std::unique_ptr<kv::service::clsSecurity>& holder() {
    static std::unique_ptr<kv::service::clsSecurity> security;
    return security;
}

} // namespace

kv::service::clsSecurity& security() {
    if (!holder()) holder() = std::make_unique<kv::service::clsSecurity>();
    return *holder();
}

void resetSecurityForTests() {
    holder().reset();
}

} // namespace kv::app
