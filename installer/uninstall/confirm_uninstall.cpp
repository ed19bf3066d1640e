#include "installer/uninstall/confirm_uninstall.h"

#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "platform/ui/application.h"

namespace kv::installer::uninstall {

bool ConfirmUninstall(const std::string& caption, const std::string& text, int charset) {
    unsigned style = ui::mb::YesNo | ui::mb::IconQuestion;
    if (IsRightToLeftCharset(charset)) style |= ui::mb::Right | ui::mb::RtlReading;
    const int answer = ui::app().messageBox(
        ui::MessageBoxRequest{nullptr, caption, ExpandEscapes("\\n\\n" + text + "\\n\\n"), style});
    PumpMessage();
    return answer == ui::id::Yes;
}

} // namespace kv::installer::uninstall
