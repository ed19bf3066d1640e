#include "installer/common/association_ops.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/internal/actions.h"
#include "installer/common/internal/reset.h"
#include "installer/common/internal/trim.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_notices.h"
#include "installer/common/text_utils.h"

#include <string>
#include <vector>

namespace kv::installer {
namespace {

constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT\\";

bool& assocChanged() {
    static bool changed = false;
    return changed;
}

std::string dotted(std::string_view extension) {
    if (extension.empty() || extension.front() == '.') return std::string(extension);
    return "." + std::string(extension);
}

// The platform's single-key delete: fails while the key has subkeys.
void deleteSingleKey(std::string_view name) {
    if (name.empty()) return; // an empty name would be the root itself
    registry::deleteKey(RootKeyOf("HKEY_CLASSES_ROOT"), name);
}

// The verb key: removed, or given its display text and its command.
void applyVerb(const std::string& key, std::string_view displayText, std::string_view command,
               bool install) {
    if (!install) {
        RegDeleteKeyIfExists(key);
        return;
    }
    if (displayText.empty() || command.empty()) return;
    RegWriteString(key, "", displayText);
    RegWriteString(key + "\\command", "", std::string(command) + " \"%1\"");
}

std::vector<std::string> extensionsOf(std::string_view list) {
    const std::string items = ReplaceAll("," + ReplaceAll(list, ";", ",") + ",", "*", "");
    std::vector<std::string> result;
    for (int i = 0; i < ListCount(items); ++i) {
        const std::string raw = ListItem(items, i);
        std::string_view item = internal::trimBlanks(raw);
        while (!item.empty() && item.front() == '.')
            item.remove_prefix(1);
        item = internal::trimBlanks(item);
        if (!item.empty()) result.push_back("." + std::string(item));
    }
    return result;
}

} // namespace

bool CreateAssociation(std::string_view typeKey, std::string_view description,
                       std::string_view extension, std::string_view command) {
    if (command.empty() || typeKey.empty() || extension.empty()) return false;
    const std::string ext = dotted(extension);
    RegDeleteKeyIfExists(kClassesRoot + ext);
    RegDeleteKeyIfExists(kClassesRoot + std::string(typeKey));
    std::string cmd(command);
    if (cmd.front() != '"') cmd = "\"" + cmd + "\"";
    if (cmd.find("%1") == std::string::npos) cmd += " \"%1\"";
    const std::string type = kClassesRoot + std::string(typeKey);
    RegWriteString(kClassesRoot + ext, "", typeKey);
    RegWriteString(type, "", description);
    RegWriteString(type + "\\shell\\open\\command", "", cmd);
    assocChanged() = true;
    return true;
}

bool RemoveAssociation(std::string_view typeKey, std::string_view extension) {
    deleteSingleKey(typeKey);
    deleteSingleKey(dotted(extension));
    assocChanged() = true;
    return true;
}

bool AssociationOp(std::string_view record, bool install) {
    bool ok = false;
    switch (internal::actionOf(ListItem(record, install ? 7 : 8))) {
    case internal::Action::Remove:
        ok = RemoveAssociation(ListItem(record, 0), ListItem(record, 2));
        break;
    case internal::Action::Create:
        ok = CreateAssociation(ListItem(record, 0), ListItem(record, 1), ListItem(record, 2),
                               ListItem(record, 4));
        break;
    case internal::Action::None:
        break;
    }
    if (ok) assocChanged() = true;
    return ok;
}

bool OpenWithOp(std::string_view verb, std::string_view displayText, std::string_view command,
                bool install, std::string_view extensions) {
    const std::vector<std::string> exts = extensionsOf(extensions);
    if (exts.empty() || verb.empty()) return false;
    const std::string verbName(verb);
    applyVerb(std::string(kClassesRoot) + "Folder\\shell\\" + verbName, displayText, command,
              install);
    for (const std::string& ext : exts) {
        const std::string fileType = RegReadValue(kClassesRoot + ext, "", "");
        // An extension without a file type has no type key to hold the verb.
        if (fileType.empty()) continue;
        applyVerb(kClassesRoot + fileType + "\\Shell\\" + verbName, displayText, command, install);
    }
    return true;
}

void NotifyAssocChanged() {
    if (!assocChanged()) return;
    SendShellChange(kShellAssocChanged, kShellFlush);
    assocChanged() = false;
}

bool AssocChangedPending() {
    return assocChanged();
}

void internal::resetAssociations() {
    assocChanged() = false;
}

} // namespace kv::installer
