// demo-screenshots: pictures of the demo package's windows for docs/screenshots, on a
// machine of its own with the backend the environment chooses (KV_UI=wx under a virtual
// display). Setup's wizard reads the package's script from a copy of demo/package and is
// walked page by page as demo/setup.uiscript walks it, one picture a page
// (demo-setup-<n>-<page>.png), through the copy to the Complete page, then the readme
// window (demo-setup-12-readme-window.png); then the uninstall
// window shows the uninstall script that copy wrote, its first phases ticked
// (demo-uninstall.png). Pictures go to $KV_SCREENSHOT_DIR, cut to what is not the black
// screen around the window. Exits 77 when the wx backend is not there.

#include "installer/common/messages.h"
#include "installer/setup/english.h"
#include "installer/setup/language.h"
#include "installer/setup/readme_form.h"
#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"
#include "installer/uninstall/main_form.h"
#include "platform/fs/path.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/startup/startup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace kv;

bool screenshot(const std::string& name) {
    installer::WaitProcessing(400);
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    const std::string shot = std::string(dir ? dir : ".") + "/" + name;
    const std::string command = "import -window root png:- | convert - -trim +repage " + shot;
    if (std::system(command.c_str()) != 0) return false;
    std::printf("%s\n", shot.c_str());
    return true;
}

// One step of the walk: what the user does on the page, then its picture.
struct Step {
    const char* picture;
    std::function<void(installer::TSDialogForm&)> act;
};

int shootWizard(installer::TScript& script) {
    auto& wizard = static_cast<installer::TSDialogForm&>(
        ui::app().load(std::make_unique<installer::TSDialogForm>(script)));
    ui::app().setMainForm(&wizard);
    wizard.SetRunTimeDirs();
    wizard.Prepare();
    bool abort = false;
    wizard.RunSetupStart(abort);
    if (abort) return 1;
    // The readme window that Finish shows when its box is ticked, shown here without its
    // modal wait. Its file is read before the copy, which moves the package's readme (the
    // package lies on the target's drive).
    auto& readme = static_cast<installer::TReadmeForm&>(
        ui::app().load(std::make_unique<installer::TReadmeForm>()));
    readme.setCaption(installer::LangText("Readme", "Caption", "Readme"));
    installer::LoadTextFile(readme.RichEdit1, script.Text(installer::ScriptText::ReadmeFileName2),
                            installer::GetCharset());
    wizard.show();
    const Step steps[] = {
        {"demo-setup-01-welcome.png", nullptr},
        {"demo-setup-02-licence.png", [](auto& w) { w.LicenseAcceptRadio.setValue(true); }},
        {"demo-setup-03-readme.png", nullptr},
        {"demo-setup-04-user-information.png",
         [](auto& w) {
             w.NameEdit.setText("Alice Demo");
             w.CompanyEdit.setText("Sniping Ltd");
         }},
        {"demo-setup-05-destination.png", nullptr},
        {"demo-setup-06-setup-type.png", [](auto& w) { w.CustomRadio.setValue(true); }},
        {"demo-setup-07-components.png", nullptr},
        {"demo-setup-08-association.png", nullptr},
        {"demo-setup-09-shortcuts.png", nullptr},
        {"demo-setup-10-confirm.png", nullptr},
    };
    int rc = 0;
    for (const Step& step : steps) {
        if (step.act) step.act(wizard);
        if (!screenshot(step.picture)) rc = 1;
        wizard.NextButtonClick();
    }
    // The copy page runs the install sequence, then the Complete page shows.
    for (int i = 0; i < 100 && wizard.caption() != "Setup Complete"; ++i)
        installer::WaitProcessing(100);
    if (!screenshot("demo-setup-11-complete.png")) rc = 1;
    wizard.hide();
    readme.show();
    if (!screenshot("demo-setup-12-readme-window.png")) rc = 1;
    readme.unload();
    wizard.Free();
    return rc;
}

int shootUninstall(const std::string& app) {
    machine::setProgram(fs::hostPath(app + "\\UnInstall.exe"), {});
    auto& form = ui::app().form<installer::uninstall::TMainForm>();
    form.ShowAsMain();
    form.StartupTimer.setEnabled(false);
    for (int i = 0; i < 3; ++i)
        form.ticks()[i]->setVisible(true);
    const int rc = screenshot("demo-uninstall.png") ? 0 : 1;
    form.unload();
    return rc;
}

} // namespace

int main() {
    machine::testing::TempMachine machine;
    if (ui::installBackendFromEnvironment() != ui::BackendKind::Wx) {
        std::fputs("no wx backend\n", stderr);
        return 77;
    }
    const std::filesystem::path package = machine.hostFolder('C') / "Kestrovane Setup";
    std::filesystem::copy(std::filesystem::path(KV_DEMO_DIR) / "package", package,
                          std::filesystem::copy_options::recursive);
    // Setup installs the uninstaller from beside itself; a stand-in does for the pictures.
    std::ofstream(package / "UnInstall.exe") << "uninstall";
    machine::setProgram(package / "setup", {});
    installer::AddEnglishResource();
    installer::LoadBuiltInText();
    installer::TScript script;
    if (!script.LoadFromFile(fs::machinePath(package / "Setup.txt"))) return 1;
    script.LoadLanguage();
    int rc = shootWizard(script);
    if (shootUninstall("C:\\Program Files\\Kestrovane") != 0) rc = 1;
    ui::resetApplication();
    return rc;
}
