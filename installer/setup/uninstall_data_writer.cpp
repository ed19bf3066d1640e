#include "installer/setup/uninstall_data_writer.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/file_names.h"
#include "installer/common/folders.h"
#include "installer/common/install_registry.h"
#include "installer/common/paths.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_queries.h"
#include "installer/setup/copy_wizard.h"
#include "installer/setup/file_copy.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "installer/setup/uninstall_script.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"

#include <charconv>
#include <cstdint>

namespace kv::installer {
namespace {

std::string setupFile(std::string_view name) {
    return GetExeDir(false) + "\\" + std::string(name);
}

std::string applicationFile(std::string_view name) {
    return SetTrailingSlash(GetTargetDir(), true) + std::string(name);
}

bool isFile(const std::string& path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

// The sizes in KB (item 1) of the groups whose component row is selected.
std::uint64_t selectedSizeKb(const TScript& script, std::string_view selection) {
    const std::vector<ScriptGroup>& groups = script.Groups();
    std::uint64_t total = 0;
    for (std::size_t g = 0; g < selection.size() && g < groups.size(); ++g) {
        if (selection[g] != '1') continue;
        const std::string item = GroupItem(groups[g], 1);
        const std::string_view text = text::trimBlanks(item);
        std::uint64_t kb = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), kb);
        if (error == std::errc() && end == text.data() + text.size()) total += kb;
    }
    return total;
}

// An operation record framed by commas, as the operations read it.
std::string framed(const std::string& record) {
    return "," + record + ",";
}

} // namespace

void UninstallDataWriter::WriteUninstallData(const std::vector<std::string>& checkedFileTypes) {
    writeSettings();
    writeOwnRemovals();
    writeProgramEntry();
    installServiceFiles();
    writeOperations(checkedFileTypes);
}

void UninstallDataWriter::writeSettings() {
    const TScript& s = script_;
    const auto lang = [](std::string_view key, std::string_view defaultValue = {}) {
        return LangText("UnInstall", key, defaultValue);
    };
    add("Version=1.0");
    add("ComposerVersion=" + s.Text(ScriptText::ComposerBuild));
    add("");
    add("PROG_NAME=" + s.Text(ScriptText::ProgName));
    add("COMPANY_URL=" + s.Text(ScriptText::CompanyUrl));
    add("CHAR_SET=" + std::to_string(GetCharset()));
    add(std::string("GET_DIALOG_BITMAP_3D_FRAME=") +
        (s.Flag(ScriptFlag::DialogBitmap3dFrame) ? "1" : "0"));
    add("GET_AUTO_UPDATE_EXE_FILE_NAME=" + s.Text(ScriptText::AutoUpdateExeFileName));
    add("");
    add("CONFIRM_CAPTION=" + lang("ConfirmCaption", "Confirm"));
    add("CONFIRM_TEXT=" + lang("ConfirmText", "Are you sure you want to uninstall the program"));
    add("BUTTON_CLOSE=" + lang("ButtonClose", "Close"));
    add("S1=" + lang("s1"));
    add("S2=" + lang("s2"));
    for (char digit = '1'; digit <= '6'; ++digit)
        add(std::string("LABEL") + digit + "=" + lang(std::string("Label") + digit));
    blank();
}

void UninstallDataWriter::writeOwnRemovals() {
    const TScript& s = script_;
    add("REMOVE_FILE(" + uninstall_.UninstallFileName() + ")");
    if (s.Flag(ScriptFlag::CreateSetupLog))
        add("REMOVE_FILE(" + applicationFile(GetLogFileName(false)) + ")");
    if (s.Flag(ScriptFlag::CommonFolderUsed))
        add("REMOVE_DIR(" + SetTrailingSlash(GetCommonDir(), false) + ")");
    if (s.Flag(ScriptFlag::AuxiliaryFolderUsed))
        add("REMOVE_DIR(" + SetTrailingSlash(GetAuxDir(), false) + ")");
    add("RunTimeDir_1=" + s.Text(ScriptText::RunTimeDir1));
    add("RunTimeDir_2=" + s.Text(ScriptText::RunTimeDir2));
    add("RunTimeDir_3=" + s.Text(ScriptText::RunTimeDir3));
}

void UninstallDataWriter::writeProgramEntry() {
    const TScript& s = script_;
    const std::string program = s.Text(ScriptText::ProgName);
    const std::string uninstaller = UninstallerPath();
    // Without an uninstall script the entry would start an uninstaller with nothing to do.
    if (!s.Flag(ScriptFlag::CreateUninstall) || program.empty() || uninstaller.empty()) return;
    addKeyLine(WriteUninstallEntry(program, uninstaller, s.Text(ScriptText::ProgVersion),
                                   s.Text(ScriptText::CompanyName)));
    const std::string exe = wizard_.ExpandFormVars(s.Text(ScriptText::ProgExeName));
    addKeyLine(WriteInstallSize(program, exe, selectedSizeKb(s, wizard_.SelectionString()) * 1024));
    // No copy entry names the uninstaller, so it is moved where a move is allowed.
    CopyFileOptions options;
    options.skipOverwriteTest = true;
    bool replaced = false;
    copier_.CopyOneFile(setupFile("UnInstall.exe"), uninstaller, replaced, options, 0, 0);
}

void UninstallDataWriter::installServiceFiles() {
    const std::string library = script_.Text(ScriptText::ExecutionDllName);
    if (!library.empty()) installFile(library, true);
    const std::string delivery = script_.Text(ScriptText::DeliveryFiles);
    if (delivery <= "|") return;
    for (std::string_view item : ListItems(delivery)) {
        item = text::trimBlanks(item);
        if (!item.empty()) installFile(item, true);
    }
}

void UninstallDataWriter::writeOperations(const std::vector<std::string>& checkedFileTypes) {
    const TScript& s = script_;
    blank();
    for (const std::string& record : s.List(ScriptList::RegistryOps))
        add("SET_PERFORM_REGISTRY_OP(" + framed(record) + ");");
    blank();
    for (const std::string& record : s.List(ScriptList::IniFileOps)) {
        std::string ini = framed(record);
        SetListItem(ini, 0, ExpandFolderVars(ListItem(ini, 0)));
        add("SET_PERFORM_INIFILE_OP(" + ini + ");");
    }
    blank();
    for (const std::string& record : s.List(ScriptList::EnvironmentOps))
        add("SET_PERFORM_ENVIRONMENT_OP(" + framed(record) + ");");
    blank();
    // The uninstaller expands the file types' records itself.
    for (const std::string& record : checkedFileTypes)
        add("SET_ADD_ASSOCIATION_ITEM(" + record + ");");
    blank();
    if (s.Flag(ScriptFlag::OpenWith))
        add("SET_ADD_OPEN_WITH_ITEM(|" + s.Text(ScriptText::OpenWithName) + "|" +
            s.Text(ScriptText::OpenWithExtensions) + "|);");
    const std::string library = s.Text(ScriptText::ExecutionDllName);
    if (!library.empty()) add("SET_EXECUTION_DLL_NAME(" + library + ");");
    for (const std::string& record : s.List(ScriptList::ExecuteOps))
        add("SET_PERFORM_EXECUTE_OP(" + record + ");");
    blank();
}

void UninstallDataWriter::WriteOriginalInfo() {
    const TScript& s = script_;
    if (s.Flag(ScriptFlag::RegisterAsApplication)) {
        // Without both names the key would be a company's or all of Software.
        const std::string company = s.Text(ScriptText::CompanyName);
        const std::string program = s.Text(ScriptText::ProgName);
        if (!company.empty() && !program.empty())
            addKeyLine(CreateProgramKey(company, program, s.Text(ScriptText::ProgVersion)));
        // Without a file name the key would be App Paths itself.
        const std::string exe = wizard_.ExpandFormVars(s.Text(ScriptText::ProgExeName));
        if (!fs::fileNamePart(exe).empty()) addKeyLine(WriteAppPath(exe));
    }

    WriteInfoValue("Directories", "TargetDir", SetTrailingSlash(GetTargetDir(), false));
    WriteInfoValue("Directories", "SharedDir", SetTrailingSlash(GetCommonDir(), false));
    WriteInfoValue("Directories", "AuxiliaryDir", SetTrailingSlash(GetAuxDir(), false));
    WriteInfoValue("UnInstall", "Txt", uninstall_.UninstallFileName());
    WriteInfoValue("UnInstall", "Exe", UninstallerPath());

    const std::string autoUpdate = s.Text(ScriptText::AutoUpdateExeFileName);
    if (!autoUpdate.empty() && isFile(setupFile(autoUpdate))) installFile(autoUpdate, false);
}

void UninstallDataWriter::WriteInfoValue(std::string_view section, std::string_view key,
                                         std::string_view value) {
    const std::string name = script_.Text(ScriptText::OriginalInfoFileName);
    if (infoFile_ == InfoFile::NotYet) {
        const bool present = !name.empty() && isFile(setupFile(name));
        infoFile_ =
            present && installFile(name, false) ? InfoFile::Installed : InfoFile::Unavailable;
    }
    if (infoFile_ == InfoFile::Installed)
        IniWriteString(applicationFile(name), section, key, value);
}

std::string UninstallDataWriter::UninstallerPath() {
    std::string path = uninstall_.UninstallFileName();
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path.empty() ? path : path + ".exe";
}

bool UninstallDataWriter::installFile(std::string_view name, bool serviceFile) {
    CopyFileOptions options;
    options.skipOverwriteTest = true;
    options.alwaysCopy = serviceFile;
    options.serviceFile = serviceFile;
    options.writeRemovalLines = !serviceFile;
    bool replaced = false;
    return copier_.CopyOneFile(setupFile(name), applicationFile(name), replaced, options, 0, 0);
}

void UninstallDataWriter::add(const std::string& line) {
    uninstall_.AddUninstallLine(line, false);
}

void UninstallDataWriter::blank() {
    uninstall_.AddUninstallLine("", true);
}

void UninstallDataWriter::addKeyLine(const std::string& key) {
    if (!key.empty()) add("REMOVE_REG_KEY(" + key + ")");
}

} // namespace kv::installer
