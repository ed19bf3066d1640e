// The uninstall script as the uninstaller reads it: any lines are sorted into the item
// lists without a crash, the same way twice; each listed item is the argument of a line
// that begins with the list's keyword, no directory is also a forced one, and the removal
// order of every list is a reordering of it with longer items first. The setting lines
// read from the file give a value that follows the name's "=" on one of its lines.
//
// Input: the script file (its lines split as the uninstaller reads them); its first line,
// up to a "=", also names the setting looked up.

#include "fuzz/driver/fuzz_support.h"
#include "installer/common/text_lines.h"
#include "installer/uninstall/item_order.h"
#include "installer/uninstall/script_sorting.h"
#include "installer/uninstall/script_values.h"
#include "platform/fs/files.h"
#include "platform/text/ansi.h"

#include <algorithm>

namespace {

using kv::fuzz::check;
using namespace kv::installer::uninstall;

constexpr const char* kScript = "C:\\App\\UnInstall.txt";

// The keyword of each list, in the lists' order; the folder phase's list has none.
constexpr const char* kListKeywords[kItemListCount] = {
    "REMOVE_SHARED_FILE",
    "REMOVE_READONLY_FILE",
    "REMOVE_FILE",
    "REMOVE_SERVICE_FILE",
    "REMOVE_DIR",
    "FORCE_REMOVE_DIR",
    "DONT_REMOVE_DIR",
    "AVOID_ERR_REMOVE_DIR",
    "REMOVE_FOLDER",
    "FORCE_REMOVE_FOLDER",
    "REMOVE_REG_KEY",
    "SET_PERFORM_REGISTRY_OP",
    "SET_PERFORM_INIFILE_OP",
    "SET_PERFORM_ENVIRONMENT_OP",
    "SET_ADD_ASSOCIATION_ITEM",
    "SET_ADD_OPEN_WITH_ITEM",
    "SET_PERFORM_EXECUTE_OP",
    nullptr,
};

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// Whether some line begins (after blanks) with the keyword and has the item as argument.
bool fromALine(const std::vector<std::string>& lines, const char* keyword,
               const std::string& item) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return trimmed(line).starts_with(keyword) && CommandArgument(line) == item;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view text = kv::fuzz::asText(data, size);
    kv::fs::createFolders("C:\\App");
    check(kv::fs::writeFile(kScript, text), "the script is written");
    const std::vector<std::string> lines =
        kv::installer::ReadTextLines(kScript).value_or(std::vector<std::string>{});

    for (const std::string& line : lines) {
        const std::string argument = CommandArgument(line);
        check(argument.empty() ||
                  (argument.size() + 2 <= line.size() && line.find(argument) != std::string::npos),
              "an argument is a part of its line");
    }
    const SortedScript sorted = SortScriptLines(lines);
    const SortedScript again = SortScriptLines(lines);
    check(sorted.lists == again.lists && sorted.execDllName == again.execDllName,
          "lines sort the same twice");
    for (int list = 0; list < kItemListCount; ++list) {
        const std::vector<std::string>& items = sorted.lists[static_cast<std::size_t>(list)];
        if (!kListKeywords[list]) check(items.empty(), "no line fills the folder phase's list");
        for (const std::string& item : items)
            if (kListKeywords[list])
                check(fromALine(lines, kListKeywords[list], item),
                      "an item is the argument of a line of its keyword");
        const std::vector<std::string> order = RemovalOrder(items);
        check(std::is_permutation(order.begin(), order.end(), items.begin(), items.end()),
              "the removal order reorders the list");
        for (std::size_t i = 1; i < order.size(); ++i)
            // The length is sorted as four digits: past them the order is the text's.
            check(order[i - 1].size() >= order[i].size() || order[i].size() > 9999,
                  "longer items come first");
    }
    const auto& dirs = sorted.lists[static_cast<std::size_t>(ItemList::Dirs)];
    const auto& forced = sorted.lists[static_cast<std::size_t>(ItemList::ForcedDirs)];
    for (const std::string& dir : dirs)
        for (const std::string& f : forced)
            check(!kv::text::equalsNoCase(dir, f), "no directory is also forced");

    const std::string name = lines.empty() ? "PROG_NAME" : lines[0].substr(0, lines[0].find('='));
    const std::string value = ReadScriptValue(kScript, name);
    check(value.empty() || std::any_of(lines.begin(), lines.end(),
                                       [&](const std::string& line) {
                                           const std::size_t eq = line.find('=');
                                           return eq != std::string::npos &&
                                                  line.compare(eq + 1, std::string::npos, value) ==
                                                      0;
                                       }),
          "a setting's value follows a line's =");
    ReadScriptCharset(kScript);
    return 0;
}
