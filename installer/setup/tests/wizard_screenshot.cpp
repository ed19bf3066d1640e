// Shows the setup wizard on its setup-type page, then the exit question, with the backend
// the environment chooses (KV_UI=wx under a virtual display) on a machine of its own, and
// saves a picture of the screen for each: wizard.png and exit-question.png in
// $KV_SCREENSHOT_DIR. Exits 77 when the wx backend is not there.

#include "installer/common/messages.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/english.h"
#include "installer/setup/exit_setup_form.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"

#include <memory>

int main() {
    using namespace kv;
    using installer::testing::saveScreenshot;
    machine::testing::TempMachine machine;
    if (!installer::testing::startWxBackend()) return 77;
    machine::setProgram(machine.hostFolder('C') / "Setup" / "setup.exe", {});
    installer::AddEnglishResource();
    installer::LoadBuiltInText();
    installer::TScript script;
    script.LoadFromText("SET_PROG_NAME(Kestrovane)\nSET_SHOW_COMPACT_SETUP\n"
                        "SET_COMPANY_URL(www.kestrovane.example)\n"
                        "SET_DIALOGS(SetupTypeDlg,CustomDlg,CopyFilesDlg,CompleteDlg)\n"
                        "SET_GROUP_DATA(Program|2048|1|1|3|The program|1)\n");
    auto& wizard = static_cast<installer::TSDialogForm&>(
        ui::app().load(std::make_unique<installer::TSDialogForm>(script)));
    wizard.Prepare();
    wizard.show();
    installer::WaitProcessing(500);
    int rc = saveScreenshot("wizard.png") ? 0 : 1;
    // The question alone, so that its window stands out.
    wizard.hide();
    auto& question = static_cast<installer::TExitSetupForm&>(
        ui::app().load(std::make_unique<installer::TExitSetupForm>()));
    question.show();
    installer::WaitProcessing(500);
    if (!saveScreenshot("exit-question.png")) rc = 1;
    question.unload();
    wizard.Free();
    ui::resetApplication();
    return rc;
}
