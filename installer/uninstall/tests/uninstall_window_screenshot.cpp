// Shows the uninstall window made from a sample script, with the backend the environment
// chooses (KV_UI=wx under a virtual display) on a machine of its own, three phases ticked,
// and saves a picture of the screen: uninstall-window.png in $KV_SCREENSHOT_DIR, or with
// the argument "rtl" the window of an Arabic script (character set 178),
// uninstall-window-rtl.png. Exits 77 when the wx backend is not there.

#include "installer/common/messages.h"
#include "installer/uninstall/main_form.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/startup/startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace kv;
    const bool rtl = argc > 1 && std::string(argv[1]) == "rtl";
    machine::testing::TempMachine machine;
    if (ui::installBackendFromEnvironment() != ui::BackendKind::Wx) {
        std::fputs("no wx backend\n", stderr);
        return 77;
    }
    fs::createFolders("C:\\Program Files\\Demo");
    fs::writeFile("C:\\Program Files\\Demo\\UnInstall.exe", "");
    machine::setProgram(fs::hostPath("C:\\Program Files\\Demo\\UnInstall.exe"), {});
    fs::writeFile("C:\\Program Files\\Demo\\UnInstall.txt",
                  std::string("PROG_NAME=Demo Sniper 2.0\r\n") + (rtl ? "CHAR_SET=178\r\n" : "") +
                      "COMPANY_URL=http://www.example.com/\r\n"
                      "S1=<b>PROG_NAME</b> and all of its components will be removed from "
                      "this computer.\\n\\nPlease wait while the files are removed.\r\n"
                      "GET_DIALOG_BITMAP_3D_FRAME=1\r\n");
    auto& form = ui::app().form<installer::uninstall::TMainForm>();
    form.ShowAsMain();
    form.StartupTimer.setEnabled(false);
    for (int i = 0; i < 3; ++i)
        form.ticks()[i]->setVisible(true);
    installer::WaitProcessing(500);
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    const std::string shot = std::string(dir ? dir : ".") +
                             (rtl ? "/uninstall-window-rtl.png" : "/uninstall-window.png");
    const std::string command = "import -window root " + shot;
    const int rc = std::system(command.c_str()) == 0 ? 0 : 1;
    if (rc == 0) std::printf("%s\n", shot.c_str());
    form.unload();
    ui::resetApplication();
    return rc;
}
