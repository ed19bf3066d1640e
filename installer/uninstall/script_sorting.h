#pragma once
// The sorting of the uninstall script's command lines ("KEYWORD(argument);") into the item
// lists the removal works off.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer::uninstall {

// The item lists: one per command, and the list of the folder phase, which no command fills.
enum class ItemList {
    SharedFiles,       // REMOVE_SHARED_FILE
    ReadOnlyFiles,     // REMOVE_READONLY_FILE
    Files,             // REMOVE_FILE
    ServiceFiles,      // REMOVE_SERVICE_FILE
    Dirs,              // REMOVE_DIR
    ForcedDirs,        // FORCE_REMOVE_DIR
    KeptDirs,          // DONT_REMOVE_DIR
    ForgivenDirs,      // AVOID_ERR_REMOVE_DIR
    MenuFolders,       // REMOVE_FOLDER
    ForcedMenuFolders, // FORCE_REMOVE_FOLDER
    RegKeys,           // REMOVE_REG_KEY
    RegistryOps,       // SET_PERFORM_REGISTRY_OP
    IniOps,            // SET_PERFORM_INIFILE_OP
    EnvironmentOps,    // SET_PERFORM_ENVIRONMENT_OP
    Associations,      // SET_ADD_ASSOCIATION_ITEM
    OpenWithItems,     // SET_ADD_OPEN_WITH_ITEM
    ExecuteOps,        // SET_PERFORM_EXECUTE_OP
    Folders,           // the folder phase's list
};
constexpr int kItemListCount = 18;
using ItemLists = std::array<std::vector<std::string>, kItemListCount>;

// The argument of a command line: the text between the first "(" and the last ")" of the
// line trimmed of blanks and control characters; empty without such a pair.
std::string CommandArgument(std::string_view line);

struct SortedScript {
    ItemLists lists;
    // The argument of the last SET_EXECUTION_DLL_NAME line; nothing without one.
    std::optional<std::string> execDllName;
};

// Sorts every line by the first keyword it begins with (case-sensitive, in the fixed
// order); other lines are ignored. Directories that are also forced directories (compared
// without regard to case) are dropped from the directory list.
SortedScript SortScriptLines(const std::vector<std::string>& lines);

} // namespace kv::installer::uninstall
