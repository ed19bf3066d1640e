#include "client/app/internal/command_support.h"

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/session.h"
#include "client/app/setting_conversions.h"
#include "client/app/startup.h"
#include "platform/ui/application.h"

namespace kv::app::internal {

WaitCursor::WaitCursor(bool on) : on_(on) {
    if (on_) mainForm().setMousePointer(kv::ui::MousePointer::Hourglass);
}

WaitCursor::~WaitCursor() {
    if (on_) mainForm().setMousePointer(kv::ui::MousePointer::Default);
}

double replyReturn(kv::protocol::Hash& reply) {
    return toNumber(reply.Retrieve("return", 0).text()).value_or(0);
}

void showFailure(kv::protocol::Hash& reply, const std::string& title) {
    kv::ui::app().messageBox(reply.Retrieve("message", kNoResponseText).text(),
                             kv::ui::mb::OkOnly | kv::ui::mb::IconError, title);
}

bool sendRecord(const std::string& command, kv::protocol::Hash& args, const std::string& title) {
    kv::protocol::Hash reply = security().queryKestrovane(command, args);
    if (replyReturn(reply) != 0) return true;
    showFailure(reply, title);
    return false;
}

} // namespace kv::app::internal
