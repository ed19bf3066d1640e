#include "installer/setup/setup_main.h"

#include "installer/common/file_names.h"
#include "installer/common/messages.h"
#include "installer/common/program_ops.h"
#include "installer/common/system_queries.h"
#include "installer/setup/internal/reset.h"
#include "installer/setup/language.h"
#include "installer/setup/main_form.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ini/ini_file.h"
#include "platform/process/exec.h"
#include "platform/ui/application.h"

#include <memory>
#include <new>

namespace kv::installer {
namespace {

bool isFile(const std::string& path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

// The path with its extension replaced (or added when the name has none).
std::string withExtension(const std::string& path, const std::string& extension) {
    const std::size_t dot = path.rfind('.');
    const std::size_t sep = path.find_last_of("\\/:");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return path + extension;
    return path.substr(0, dot) + extension;
}

// The "Error" box of a start-up failure: `literal` (a path) shown as it stands, so that a
// folder such as "\tmp" or "\new" does not read as an escape, then `text` with its escapes
// expanded; every line indented as the installer's boxes have it.
void showStartupError(const std::string& literal, const std::string& text) {
    const std::string full = literal + ExpandEscapes(text);
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

std::string readValue(const std::string& file, const char* section, const char* key) {
    return ini::getProfileString(section, key, "", fs::hostPath(file).string());
}

// The main window and its message loop. A "Setup Start" stage that aborts frees the wizard
// before it shows, and no loop runs.
void RunMainWindow(TScript& script) {
    // The background window, when the script asks for it outside a background update,
    // makes and prepares the wizard itself.
    if (script.Flag(ScriptFlag::SetupBackground) && !setupState().backgroundUpdate) {
        auto& background =
            static_cast<TSMainForm&>(ui::app().load(std::make_unique<TSMainForm>(script)));
        ui::app().setMainForm(&background);
        background.show();
        ui::app().run();
        return;
    }
    auto& wizard =
        static_cast<TSDialogForm&>(ui::app().load(std::make_unique<TSDialogForm>(script)));
    ui::app().setMainForm(&wizard);
    if (!wizard.PrepareAndRunSetupStart()) {
        wizard.Free();
        return;
    }
    if (setupState().backgroundUpdate) wizard.SetBackgroundUpdate(true);
    wizard.show();
    ui::app().run();
}

} // namespace

SetupState& setupState() {
    static SetupState s;
    return s;
}

void internal::resetSetupState() {
    setupState() = SetupState{};
}

std::string ScriptFilePath() {
    return GetScriptFileName(true);
}

bool IsOsAllowed(const TScript& script) {
    const std::string allowed = script.Text(ScriptText::AllowedOs);
    if (allowed.empty()) return true;
    return ("," + allowed + ",").find("," + GetOSShortName() + ",") != std::string::npos;
}

bool CheckAdminRights(const TScript& script) {
    if (!IsWinNT() || !script.Flag(ScriptFlag::TestAdminRights)) return true;
    return IsAdmin();
}

void ReadCommandLine(TScript& script) {
    const std::string file = GetSwitchValue("/OriginalInfoFile=");
    // "TRUE" is what a switch without a value reads as.
    if (file.empty() || file == "TRUE") return;
    SetupState& state = setupState();
    const std::string original = withExtension(file, ".original");
    if (isFile(original)) {
        state.presetTargetDir = readValue(original, "Directories", "TargetDir");
        state.presetCommonDir = readValue(original, "Directories", "SharedDir");
        state.presetAuxiliaryDir = readValue(original, "Directories", "AuxiliaryDir");
    }
    const std::string info = withExtension(file, ".info");
    if (isFile(info) && readValue(info, "NewSetup", "BackgroundUpdate") == "1") {
        state.backgroundUpdate = true;
        script.SetFlag(ScriptFlag::SilentSetup);
    }
}

void StartChosenPrograms() {
    const SetupState& state = setupState();
    if (!state.launchFile.empty()) {
        fs::setCurrentFolder(state.launchFolder.empty() ? fs::folderPart(state.launchFile)
                                                        : state.launchFolder);
        ShellOpen(state.launchFile, "", 5);
    }
    if (!state.secondProgram.empty()) {
        fs::setCurrentFolder(fs::folderPart(state.secondProgram));
        // Quoted, so that a folder with blanks cannot be read as a shorter program name.
        process::WinExec("\"" + state.secondProgram + "\"", process::kShowHide);
    }
}

int SetupMain() {
    LoadBuiltInText();
    // A failure's text: the path it names (kept literal) and the message.
    std::string errorPath, error;
    const std::string path = ScriptFilePath();
    std::unique_ptr<TScript> script;
    if (!isFile(path)) {
        errorPath = path;
        error = "\\nScript file not found.\\n\\nSetup Aborted!";
    } else {
        try {
            script = std::make_unique<TScript>();
        } catch (const std::bad_alloc&) {}
        if (!script || !script->LoadFromFile(path)) {
            errorPath = path;
            error = "\\nError reading script file.\\n\\nSetup Aborted!";
        } else {
            script->LoadLanguage();
            if (!IsOsAllowed(*script)) {
                error = "\"" + script->Text(ScriptText::ProgName) +
                        "\" is not allowed to run on Win" + GetOSShortName() +
                        ". --- Setup Aborted!";
            } else if (!CheckAdminRights(*script)) {
                error =
                    "Unable to install the program\\nMake sure you have ADMINISTARTOR Rights on "
                    "this PC!";
            } else {
                ReadCommandLine(*script);
                ui::app();
                RunMainWindow(*script);
            }
        }
    }
    StartChosenPrograms();
    script.reset();
    if (error.empty()) return 0;
    showStartupError(errorPath, error);
    return 1;
}

} // namespace kv::installer
