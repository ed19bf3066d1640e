// Shows setup's background window with the wizard above it, then the copy bar with the
// billboard, with the backend the environment chooses (KV_UI=wx under a virtual display) on
// a machine of its own, and saves a picture of the screen for each: background.png and
// copy-bar.png in $KV_SCREENSHOT_DIR. Exits 77 when the wx backend is not there.

#include "installer/common/messages.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/billboard_form.h"
#include "installer/setup/copy_bar_form.h"
#include "installer/setup/english.h"
#include "installer/setup/language.h"
#include "installer/setup/main_form.h"
#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/files.h"
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
    fs::createFolders("C:\\Setup");
    // Stripes of two colours.
    fs::writeFile("C:\\Setup\\logo.bmp",
                  installer::testing::bitmapFile(160, 96, "\xF0\xF0\xF0", "\x30\xA0\xF0"));
    fs::writeFile("C:\\Setup\\page.txt",
                  "~Kestrovane\r\n\r\nWins the auctions you care about while you sleep: set your "
                  "highest bid once and the snipe is placed seconds before the end.\r\n");
    installer::AddEnglishResource();
    installer::LoadBuiltInText();
    installer::TScript script;
    script.LoadFromText("SET_PROG_NAME(Kestrovane)\nSET_SETUP_BACKGROUND\n"
                        "SET_TOP_BG_COLOR(8388608)\nSET_BOTTOM_BG_COLOR(0)\n"
                        "SET_BOTTOM_BG_COLOR_REQ\n"
                        "SET_BG_BITMAP_FILE_NAME(logo.bmp)\n"
                        "SET_BG_BITMAP_LOCATION(|Bottom/Right|-20|-20|)\n"
                        "SET_TOP_LABEL_TEXT(Kestrovane 2.0)\nSET_TOP_LABEL_SIDE(Left)\n"
                        "SET_TOP_LABEL_FONT(|Arial|28|16777215|0|3|)\n"
                        "SET_TOP_LABEL_TEXT_2(Auction sniping made simple)\n"
                        "SET_TOP_LABEL_SIDE_2(Left)\nSET_TOP_LABEL_FONT_2(|Arial|14|)\n"
                        "SET_BOTTOM_LABEL_TEXT(Welmox)\nSET_BOTTOM_LABEL_SIDE(Left)\n"
                        "SET_BILLBOARD_DATA(|0|1|0|1|0|Top/Center|0|60|8388608|0|Arial|12|"
                        "16777215|1|0|420|220|16|10|)\n"
                        "SET_BILLBOARD_FILE(page.txt)\nSET_BILLBOARD_FILE(logo.bmp)\n"
                        "SET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)\n");
    auto& background = static_cast<installer::TSMainForm&>(
        ui::app().load(std::make_unique<installer::TSMainForm>(script)));
    ui::app().setMainForm(&background);
    background.show();
    installer::WaitProcessing(1200);
    int rc = saveScreenshot("background.png") ? 0 : 1;
    // Copying: the wizard gives way to the copy bar and its billboard.
    background.Wizard()->hide();
    auto& bar = static_cast<installer::TCopyBarForm&>(
        ui::app().load(std::make_unique<installer::TCopyBarForm>(script, [] { return true; })));
    bar.CopyProgress.setRange(0, 10);
    bar.CopyProgress.setValue(4);
    bar.show();
    installer::WaitProcessing(800);
    if (!saveScreenshot("copy-bar.png")) rc = 1;
    return rc;
}
