// Shows the service progress window with the backend the environment chooses (KV_UI=wx
// under a virtual display) on a machine of its own, and saves a picture of the screen:
// service-window.png in $KV_SCREENSHOT_DIR. Exits 77 when the wx backend is not there.

#include "installer/common/service_progress.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/startup/startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    using namespace kv;
    machine::testing::TempMachine machine;
    if (ui::installBackendFromEnvironment() != ui::BackendKind::Wx) {
        std::fputs("no wx backend\n", stderr);
        return 77;
    }
    installer::ShowServiceProgress("STARTING Service:", "Kestrovane Update Service");
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    const std::string shot = std::string(dir ? dir : ".") + "/service-window.png";
    const std::string command = "import -window root " + shot;
    const int rc = std::system(command.c_str()) == 0 ? 0 : 1;
    if (rc == 0) std::printf("%s\n", shot.c_str());
    installer::HideServiceProgress();
    ui::resetApplication();
    return rc;
}
