// Shows the service progress window with the backend the environment chooses (KV_UI=wx
// under a virtual display) on a machine of its own, and saves a picture of the screen:
// service-window.png in $KV_SCREENSHOT_DIR. Exits 77 when the wx backend is not there.

#include "installer/common/service_progress.h"
#include "installer/common/tests/machine_helpers.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"

int main() {
    using namespace kv;
    machine::testing::TempMachine machine;
    if (!installer::testing::startWxBackend()) return 77;
    installer::ShowServiceProgress("STARTING Service:", "Kestrovane Update Service");
    const int rc = installer::testing::saveScreenshot("service-window.png") ? 0 : 1;
    installer::HideServiceProgress();
    ui::resetApplication();
    return rc;
}
