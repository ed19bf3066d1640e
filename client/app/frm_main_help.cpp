// frmMain's Help items that need no browser pane: the licence and the connection check.
// (The About box is with the other menu items.)

#include "client/app/frm_main.h"
#include "client/app/frm_terms.h"
#include "client/app/internal/command_support.h"
#include "client/app/session.h"
#include "platform/ui/application.h"

namespace kv::app {

// The terms window, modally and without an owner; declining there ends the program.
void frmMain::mnuHelpLicense_Click() {
    kv::ui::app().form<frmTerms>().show(kv::ui::ShowMode::Modal);
}

// The service's connection check, under the hourglass.
void frmMain::mnuHelpDiagnostics_Click() {
    internal::WaitCursor wait(true);
    security().diagnose();
}

} // namespace kv::app
