// Kestrovane: the client program. KV_UI chooses the window backend ("headless": no
// display), KV_UI_SCRIPT plays the user from a UI script, KV_MACHINE names the machine
// folder and KV_SERVICE_URL the service.

#include "client/app/banner.h"
#include "client/app/frm_main.h"
#include "client/app/service_pages.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "platform/fs/pending_renames.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"
#include "platform/ui/startup/startup.h"
#include "platform/ui/wx/wx_backend.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// After a scripted run: the rows of the main window's snipe list as the run left them,
// one line each with the cells separated by " | ".
// The main window once Main has returned (an unloaded form lives on until the end).
kv::app::frmMain* startedMain = nullptr;

void printSnipeList() {
    kv::app::frmMain* main = startedMain;
    if (!main) return;
    const kv::ui::ListView& list = main->lvListView;
    std::printf("--- snipe list: %d rows ---\n", list.itemCount());
    // The visible columns only (the sort-key columns have no width).
    std::vector<int> shown;
    for (int cell = 0; cell < list.columnCount(); ++cell)
        if (list.column(cell).width > 0) shown.push_back(cell);
    auto print = [&](auto text) {
        std::string line;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (i) line += " | ";
            line += kv::text::toUtf8(text(shown[i]));
        }
        std::printf("%s\n", line.c_str());
    };
    print([&](int cell) { return list.column(cell).text; });
    for (int row = 0; row < list.itemCount(); ++row)
        print([&](int cell) { return list.text(row, cell); });
}

} // namespace

int main(int argc, char** argv) {
    kv::fs::startProgram(argc, argv);
    const char* script = std::getenv(kv::ui::script::kScriptVariable);
    // A UI script plays the user on the headless backend; otherwise KV_UI (or a display)
    // chooses real windows or headless.
    if ((!script || !*script) &&
        kv::ui::installBackendFromEnvironment() == kv::ui::BackendKind::Wx) {
        // Real windows: the browser panes show the service's pages.
        kv::ui::setControlHost(
            std::make_unique<kv::ui::wx::PopupHost>(std::make_unique<kv::app::ServicePages>()));
    }
    auto body = [] {
        kv::ui::app().setTitle(std::string(kv::app::kProgramTitle));
        kv::app::addProgramResources();
        kv::app::Main();
        startedMain = &kv::app::mainForm();
        kv::ui::app().run();
        return 0;
    };
    if (!script || !*script) return kv::ui::runProgram(body);
    std::string error;
    if (!kv::ui::script::loadFile(script, &error)) {
        std::fprintf(stderr, "ui script: %s\n", error.c_str());
        return 1;
    }
    const int code = kv::ui::script::finish(kv::ui::runProgram(body));
    printSnipeList();
    return code;
}
