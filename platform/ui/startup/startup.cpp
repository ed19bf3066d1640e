#include "platform/ui/startup/startup.h"

#include "platform/process/shell.h"
#include "platform/text/ansi.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/wx/wx_backend.h"

#include <cstdio>
#include <cstdlib>

namespace kv::ui {

BackendKind chooseBackend(const char* kvUi, bool display) {
    if (kvUi && text::equalsNoCase(kvUi, "headless")) return BackendKind::Headless;
    if (kvUi && text::equalsNoCase(kvUi, "wx")) return BackendKind::Wx;
    return display ? BackendKind::Wx : BackendKind::Headless;
}

BackendKind installBackendFromEnvironment() {
    if (chooseBackend(std::getenv("KV_UI"), wx::displayAvailable()) == BackendKind::Wx) {
        if (wx::install()) {
            process::setHostOpenerEnabled(true); // only the wx backend opens host windows
            return BackendKind::Wx;
        }
        std::fputs("KV_UI: the wx backend cannot start here; using headless\n", stderr);
    }
    headless::install();
    process::setHostOpenerEnabled(false);
    return BackendKind::Headless;
}

} // namespace kv::ui
