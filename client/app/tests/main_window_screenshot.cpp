// Shows the main window with the wx backend on a machine of its own, logged in as alice
// against the stand-in service with her active snipes listed, and saves a picture of it:
// main-window.png in $KV_SCREENSHOT_DIR (docs/screenshots/make.sh runs it under Xvfb).
// Exits 77 when there is no display.

#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/session.h"
#include "client/app/startup.h"
#include "client/service/credentials.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/wx/wx_backend.h"
#include "tools/service-sim/server.h"

#include <wx/window.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// alice's name and password, typed without a dialog.
class Alice : public kv::service::CredentialsPrompt {
public:
    void startLogin(const std::string&) override {}
    void askSecurityCode(const std::string&) override {}
    bool askCredentials() override { return true; }
    std::string userId() const override { return "alice"; }
    std::string password() const override { return "secret"; }
    std::string securityCode() const override { return {}; }
};

} // namespace

int main() {
    using namespace kv;
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    machine::testing::TempMachine machine;
    servicesim::Server service;
    if (service.start() <= 0) {
        std::fputs("the stand-in service did not start\n", stderr);
        return 1;
    }
    setenv("KV_SERVICE_URL", service.baseUrl().c_str(), 1);
    ui::wx::WxBackend* backend = ui::wx::install();
    if (!backend) {
        std::fputs("no display\n", stderr);
        return 77;
    }
    Alice alice;
    app::security().setCredentialsPrompt([&]() -> service::CredentialsPrompt& { return alice; });
    app::security().doLogin();

    app::frmMain& main = app::mainForm();
    main.move(0, 0);
    main.resize(10500, 7200); // enlarged by the user from the first start's 6500 x 6500
    main.show();
    std::int16_t status = 1; // the active snipes
    std::int16_t groupBy = -1;
    app::refreshAuctionList(status, groupBy);
    main.wb1Show(false);
    main.tvTreeView.setSelectedIndex(main.tvTreeView.find("k1"));
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
    service.stop();
    return rc;
}
