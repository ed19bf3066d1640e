#include "client/app/program/program.h"

#include "client/app/banner.h"
#include "client/app/frm_main.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/app/web_pages.h"
#include "platform/fs/path.h"
#include "platform/fs/program.h"
#include "platform/ui/application.h"
#include "platform/ui/startup/startup.h"
#include "platform/ui/wx/wx_backend.h"

#include <memory>
#include <string>

namespace kv::app {
namespace {

frmMain* startedMain = nullptr;

int body() {
    // The program's own files (search.cfg) are looked for in the current folder.
    kv::fs::setCurrentFolder(kv::fs::folderPart(kv::fs::programPath()));
    kv::ui::app().setTitle(std::string(kProgramTitle));
    addProgramResources();
    Main();
    startedMain = &mainForm();
    kv::ui::app().run();
    return 0;
}

} // namespace

int kestrovaneMain(int argc, char** argv) {
    kv::ui::MainOptions options;
    options.title = std::string(kProgramTitle);
    // Real windows: the browser panes load pages from the web.
    options.onWindows = [] {
        kv::ui::setControlHost(
            std::make_unique<kv::ui::wx::PopupHost>(std::make_unique<WebPages>()));
    };
    return kv::ui::runMain(argc, argv, body, options);
}

frmMain* startedMainWindow() {
    return startedMain;
}

} // namespace kv::app
