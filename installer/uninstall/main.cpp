// The uninstall program: runs its body on the window model. With KV_UI_SCRIPT it plays the
// user of that UI script; otherwise it shows real windows (KV_UI=wx, the default with a
// display) or runs headless (KV_UI=headless), answering every box with its default button
// and writing the boxes shown as a transcript to the file named by KV_UI_TRANSCRIPT, or to
// standard output (the host's; the program's C++ standard output is its trace channel).

#include "installer/common/debug_trace.h"
#include "installer/uninstall/uninstall_main.h"
#include "platform/ui/startup/startup.h"

int main(int argc, char** argv) {
    kv::ui::MainOptions options;
    options.title = "Error";
    options.headlessWithoutScript = true;
    return kv::ui::runMain(
        argc, argv,
        [] {
            // Once the machine is open: the library's standard output becomes the trace.
            kv::installer::BindStandardOutputToTrace();
            kv::installer::uninstall::AddManifestResource();
            return kv::installer::uninstall::UninstallMain();
        },
        options);
}
