#include "installer/uninstall/script_sorting.h"

#include "platform/text/ansi.h"

#include <algorithm>

namespace kv::installer::uninstall {
namespace {

struct Keyword {
    const char* text;
    std::optional<ItemList> list; // none: the library name
};

// In the order the lines are tried: the first keyword a line begins with sorts it.
constexpr Keyword kKeywords[] = {
    {"SET_EXECUTION_DLL_NAME", std::nullopt},
    {"REMOVE_SHARED_FILE", ItemList::SharedFiles},
    {"REMOVE_READONLY_FILE", ItemList::ReadOnlyFiles},
    {"REMOVE_FILE", ItemList::Files},
    {"REMOVE_SERVICE_FILE", ItemList::ServiceFiles},
    {"REMOVE_DIR", ItemList::Dirs},
    {"FORCE_REMOVE_DIR", ItemList::ForcedDirs},
    {"DONT_REMOVE_DIR", ItemList::KeptDirs},
    {"AVOID_ERR_REMOVE_DIR", ItemList::ForgivenDirs},
    {"REMOVE_FOLDER", ItemList::MenuFolders},
    {"FORCE_REMOVE_FOLDER", ItemList::ForcedMenuFolders},
    {"REMOVE_REG_KEY", ItemList::RegKeys},
    {"SET_PERFORM_REGISTRY_OP", ItemList::RegistryOps},
    {"SET_PERFORM_INIFILE_OP", ItemList::IniOps},
    {"SET_PERFORM_ENVIRONMENT_OP", ItemList::EnvironmentOps},
    {"SET_ADD_ASSOCIATION_ITEM", ItemList::Associations},
    {"SET_ADD_OPEN_WITH_ITEM", ItemList::OpenWithItems},
    {"SET_PERFORM_EXECUTE_OP", ItemList::ExecuteOps},
};

// The line without leading and trailing blanks and control characters.
std::string_view trimmed(std::string_view line) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

std::vector<std::string>& listOf(ItemLists& lists, ItemList list) {
    return lists[static_cast<int>(list)];
}

} // namespace

std::string CommandArgument(std::string_view line) {
    const std::string_view stripped = trimmed(line);
    const std::size_t open = stripped.find('(');
    const std::size_t close = stripped.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return "";
    return std::string(stripped.substr(open + 1, close - open - 1));
}

SortedScript SortScriptLines(const std::vector<std::string>& lines) {
    SortedScript sorted;
    for (const std::string& line : lines) {
        const std::string_view stripped = trimmed(line);
        for (const Keyword& keyword : kKeywords) {
            if (!stripped.starts_with(keyword.text)) continue;
            if (keyword.list)
                listOf(sorted.lists, *keyword.list).push_back(CommandArgument(line));
            else
                sorted.execDllName = CommandArgument(line);
            break;
        }
    }
    const std::vector<std::string>& forced = listOf(sorted.lists, ItemList::ForcedDirs);
    std::erase_if(listOf(sorted.lists, ItemList::Dirs), [&](const std::string& dir) {
        return std::any_of(forced.begin(), forced.end(),
                           [&](const std::string& f) { return text::equalsNoCase(f, dir); });
    });
    return sorted;
}

} // namespace kv::installer::uninstall
