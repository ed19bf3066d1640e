#include "installer/uninstall/uninstall_main.h"

#include "installer/common/messages.h"
#include "installer/common/process_ops.h"
#include "installer/common/system_queries.h"
#include "installer/uninstall/confirm_uninstall.h"
#include "installer/uninstall/kill_process.h"
#include "installer/uninstall/main_form.h"
#include "installer/uninstall/script_values.h"
#include "installer/uninstall/self_delete.h"
#include "installer/uninstall/uninstall_state.h"
#include "platform/fs/files.h"
#include "platform/system/resources.h"
#include "platform/ui/application.h"

namespace kv::installer::uninstall {
namespace {

// The "Error" box of a missing script: the path shown as it stands, so that a folder such
// as "\new" does not read as an escape, then the message with its escapes expanded; every
// line indented as the installer's boxes have it.
void showMissingScript(const std::string& path) {
    const std::string full =
        path + ExpandEscapes("\\nScript file not found.\\n\\nUnInstall aborted!");
    std::string body = "\r\n\r\n";
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = full.find("\r\n", from);
        body += full.substr(from, at - from) + std::string(20, ' ') + "\r\n";
        if (at == std::string::npos) break;
        from = at + 2;
    }
    body += "\r\n";
    ui::app().messageBox(ui::MessageBoxRequest{nullptr, "Error", body,
                                               ui::mb::IconError | ui::mb::TaskModal |
                                                   ui::mb::TopMost | ui::mb::SetForeground});
    WaitPumping(100);
}

// The auto-update program and its "X_" copy, both in the uninstaller's folder.
struct AutoUpdateFiles {
    std::string program;
    std::string copy;
};

AutoUpdateFiles autoUpdateFiles(const std::string& name) {
    if (name.empty()) return {};
    const std::string folder = GetExeDir(true);
    return {folder + name, folder + "X_" + name};
}

void deleteIfNamed(const std::string& path) {
    if (!path.empty()) fs::deleteFile(path);
}

} // namespace

void AddManifestResource() {
    machine::addResource(machine::kResourceManifest, "1",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                         "manifestVersion=\"1.0\"/>\r\n");
}

int UninstallMain() {
    const std::string script = UninstallScriptPath();
    if (!fs::exists(script) || fs::isDirectory(script)) {
        showMissingScript(script);
        return 1;
    }
    const int charset = ReadScriptCharset(script);
    const std::string caption = ReadScriptValue(script, "CONFIRM_CAPTION");
    const AutoUpdateFiles autoUpdate =
        autoUpdateFiles(ReadScriptValue(script, "GET_AUTO_UPDATE_EXE_FILE_NAME"));
    const std::string question = ReadScriptValue(script, "CONFIRM_TEXT") + " \"" +
                                 ReadScriptValue(script, "PROG_NAME") + "\" ?";
    if (!ConfirmUninstall(caption, question, charset)) return 0;

    deleteIfNamed(autoUpdate.program);
    if (!autoUpdate.copy.empty() && fs::exists(autoUpdate.copy)) {
        KillProcess(autoUpdate.copy);
        WaitProcessEnd(autoUpdate.copy);
        WaitPumping(100);
        fs::deleteFile(autoUpdate.copy);
    }

    TMainForm& form = ui::app().form<TMainForm>();
    form.ShowAsMain();
    ui::app().run();

    deleteIfNamed(autoUpdate.copy);
    deleteIfNamed(autoUpdate.program);
    if (IsUninstallDone()) StartSelfDelete(true);
    return 0;
}

} // namespace kv::installer::uninstall
