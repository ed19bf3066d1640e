// The install sequence's system operations after the copy: registry, INI, environment,
// file types, the open-with verb and the COM servers the copy collected.

#include "installer/common/association_ops.h"
#include "installer/common/com_servers.h"
#include "installer/common/delimited_lists.h"
#include "installer/common/environment_ops.h"
#include "installer/common/folders.h"
#include "installer/common/ini_ops.h"
#include "installer/common/registry_ops.h"
#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"

#include <string>

namespace kv::installer {
namespace {

// The record with a comma at both ends, so that its items can be read by index.
std::string framed(const std::string& record) {
    return "," + record + ",";
}

} // namespace

void TSDialogForm::DoRegistryOps() {
    for (const std::string& record : script_.List(ScriptList::RegistryOps)) {
        const std::string items = framed(record);
        RegistryOp(ExpandFormVars(items), true);
        // The line shows the record as the script wrote it.
        std::string line = "RegistryOp: " + ListItem(items, 3) + "  " + ListItem(items, 0);
        if (const std::string value = ListItem(items, 1); !value.empty()) line += "\\" + value;
        if (const std::string data = ListItem(items, 2); !data.empty()) line += "=" + data;
        log_.Log(line);
    }
}

void TSDialogForm::DoIniFileOps() {
    for (const std::string& record : script_.List(ScriptList::IniFileOps)) {
        std::string items = framed(record);
        SetListItem(items, 0, ExpandFolderVars(ListItem(items, 0)));
        IniFileOp(items, true);
        log_.Log("IniFileOp: " + ListItem(items, 4) + "  " + ListItem(items, 0) + "  [" +
                 ListItem(items, 1) + "] " + ListItem(items, 2) + "=" + ListItem(items, 3));
    }
}

void TSDialogForm::DoEnvironmentOps() {
    for (const std::string& record : script_.List(ScriptList::EnvironmentOps)) {
        const std::string items = ExpandFormVars(framed(record));
        EnvironmentOp(items, true);
        log_.Log("EnvironmentOp: " + ListItem(items, 0) + "=" + ListItem(items, 1));
    }
}

void TSDialogForm::DoAssociations() {
    bool any = false;
    for (const std::string& record : CheckedFileTypes()) {
        if (!AssociationOp(ExpandFormVars(record), true)) continue;
        log_.Log("Associate: " + ListItem(record, 0));
        any = true;
    }
    if (any) NotifyAssocChanged();
}

void TSDialogForm::DoOpenWith() {
    if (!script_.Flag(ScriptFlag::OpenWith)) return;
    const std::string menuText = script_.Text(ScriptText::OpenWithMenuText);
    if (OpenWithOp(script_.Text(ScriptText::OpenWithName), menuText,
                   ExpandFolderVars(script_.Text(ScriptText::ProgExeName)), true,
                   script_.Text(ScriptText::OpenWithExtensions)))
        log_.Log("OpenWith: " + menuText);
}

void TSDialogForm::RegisterCopiedServers() {
    // RegisterServer itself loads only ".ocx" and ".dll" files.
    for (const std::string& file : registerList_)
        RegisterServer(file, true);
}

} // namespace kv::installer
