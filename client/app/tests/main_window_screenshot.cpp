// Shows the main window with the wx backend on a machine of its own and saves a picture of
// it: main-window.png in $KV_SCREENSHOT_DIR (docs/screenshots/make.sh runs it under Xvfb).
// Exits 77 when there is no display.

#include "client/app/frm_main.h"

#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/wx/wx_backend.h"

#include <wx/window.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    using namespace kv;
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    machine::testing::TempMachine machine;
    ui::wx::WxBackend* backend = ui::wx::install();
    if (!backend) {
        std::fputs("no display\n", stderr);
        return 77;
    }
    auto& main = ui::app().form<app::frmMain>();
    ui::app().setMainForm(&main);
    main.show();
    ui::app().waitPumping(1500);
    wxWindow* window = backend->window(main);
    int rc = 1;
    if (window) {
        wxRect r = window->GetScreenRect();
        std::string shot = std::string(dir ? dir : ".") + "/main-window.png";
        std::string command = "import -window root -crop " + std::to_string(r.width) + "x" +
                              std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                              std::to_string(r.y) + " +repage " + shot;
        rc = std::system(command.c_str()) == 0 ? 0 : 1;
        if (rc == 0) std::printf("%s\n", shot.c_str());
    }
    ui::resetForTests();
    return rc;
}
