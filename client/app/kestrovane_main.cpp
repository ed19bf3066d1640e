// Kestrovane: the client program. KV_UI chooses the window backend ("headless": no
// display), KV_UI_SCRIPT plays the user from a UI script, KV_MACHINE names the machine
// folder and KV_SERVICE_URL the service.

#include "client/app/banner.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "platform/fs/pending_renames.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/script/ui_script.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    kv::fs::startProgram(argc, argv);
    const char* script = std::getenv(kv::ui::script::kScriptVariable);
    if (!script || !*script) {
        // Windows on a display come with the wx backend; until then every run is headless.
        kv::ui::headless::install();
    }
    return kv::ui::script::runScripted([] {
        kv::ui::app().setTitle(std::string(kv::app::kProgramTitle));
        kv::app::addProgramResources();
        kv::app::Main();
        kv::ui::app().run();
        return 0;
    });
}
