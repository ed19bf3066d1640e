#include "client/app/session.h"

#include "client/app/frm_login.h"
#include "client/app/internal/reset.h"
#include "platform/ui/application.h"

#include <memory>

namespace kv::app {
namespace {

std::unique_ptr<kv::service::clsSecurity>& holder() {
    static std::unique_ptr<kv::service::clsSecurity> security;
    return security;
}

} // namespace

kv::service::clsSecurity& security() {
    if (!holder()) {
        holder() = std::make_unique<kv::service::clsSecurity>();
        holder()->setCredentialsPrompt(
            []() -> kv::service::CredentialsPrompt& { return kv::ui::app().form<frmLogin>(); });
    }
    return *holder();
}

void internal::resetSecurity() {
    holder().reset();
}

} // namespace kv::app
