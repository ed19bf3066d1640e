#include "installer/common/exec_cond_str.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/text_utils.h"

#include <array>
#include <charconv>

namespace kv::installer {
namespace {

constexpr std::array<std::string_view, 21> kConditions = {
    "|11|File Found|Enter file name|||",
    "|12|Directory Found|Enter directory name|||",
    "|13|Drive Found|Enter Drive letter A,B,C...|||",
    "|21|Application Found|Enter application file name - sample: Winword.exe|||",
    "|22|Application Path Found|Enter application file name - sample: Winword.exe|||",
    "|23|Application Version is|Enter application file name - sample: Winword.exe|Select "
    "Condition Relation|Enter file version - Sample: 1.0.9.4|",
    "|31|Exe is Running|Enter executable full path|||",
    "|32|Service is Running|Enter Service name|||",
    "|33|Operating System is in|Enter Operating Systems identifiers: 95, 98, ME, NT, 2000, "
    "XP|||",
    "|34|File Version is|Enter executable full path|Select Condition Relation|Enter file "
    "version - Sample: 1.0.9.4|",
    "|41|Registry Key Found|Enter Registry Key - sample: "
    "HKEY_CURRENT_USER\\Software\\Microsoft|||",
    "|42|Registry Value is|Enter Registry Value Name - sample: "
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Excel|Select Condition Relation|Enter value - "
    "String or Integer|",
    "|43|Environment Variable Is|Enter Environment Variable name|Select Condition "
    "Relation|Enter string value|",
    "|51|Memory Size is (MB)||Select Condition Relation|Enter Memory available to Windows in "
    "MEGA-Bytes|",
    "|52|CPU Speed is (MHz)||Select Condition Relation|Enter CPU Speed in MEGA-Hertz|",
    "|53|Screen Resolution is||Select Condition Relation|Select Screen Resolution|",
    "|54|Color Depth is||Select Condition Relation|Select Color Depth|",
    "|61|Ask Yes/No|Enter message text|||",
    "|62|Ask OK/Cancel|Enter message text|||",
    "|63|Setup Type is||Select Condition Relation|Select Setup Type|",
    "|64|Group Selected|Enter Group Name|||",
};

constexpr std::array<std::string_view, 27> kOperations = {
    "|11|Delete File(s)|Enter file name, you can use wild card if required||",
    "|12|Copy File(s)|Enter file name, you can use wild card if required|Enter Target file "
    "name, you can use * as wild card if required|",
    "|13|Move File(s)|Enter file name, you can use wild card if required|Enter Target file "
    "name, you can use * as wild card if required|",
    "|14|Rename File(s)|Enter file name, you can use wild card if required|Enter Target file "
    "name, you can use * as wild card if required|",
    "|21|Remove Directory|Enter directory name||",
    "|22|Force Remove Directory|Enter directory name||",
    "|23|Set Working Directory|Enter directory name||",
    "|24|Copy Directory Tree|Enter source directory|Enter destination directory|",
    "|25|Rename Directory|Enter source directory full path|Enter destination directory name|",
    "|31|Delete Application Executable|Enter application file name - sample: Winword.exe||",
    "|32|Remove Application Directory|Enter application file name - sample: Winword.exe||",
    "|33|UnInstall Application|Enter application descriptive name as appears under "
    "Add/Remove programs||",
    "|34|Run Application|Enter application file name - sample: Winword.exe|Enter Parameters|",
    "|35|Run Application and Wait|Enter application file name - sample: Winword.exe|Enter "
    "Parameters|",
    "|41|Run Executable|Enter executable full path|Enter Parameters|",
    "|42|Run Executable and Wait|Enter executable full path|Enter Parameters|",
    "|43|Shell Execute|Enter file name|Enter Parameters|",
    "|44|Shell Execute (Hide)|Enter file name|Enter Parameters|",
    "|51|Start Service|Enter Service name||",
    "|52|Stop Service|Enter Service name||",
    "|53|Create Registry Key|Enter Registry Key||",
    "|54|Remove Registry Key|Enter Registry Key||",
    "|55|Register OCX/COM Server|Enter file name||",
    "|56|UnRegister OCX/COM Server|Enter file name||",
    "|60|Append Text to a File|Enter file name|Enter text to be added (\\n for NewLine  \\t "
    "for TAB)|",
    "|61|Display Message|Enter Message text (\\\\n for NewLine  \\\\t for TAB)||",
    "|62|Exit|||",
};

template <std::size_t N>
std::string_view rowOf(const std::array<std::string_view, N>& table, int row) {
    if (row < 0 || row >= static_cast<int>(N)) {
        return {};
    }
    return table[static_cast<std::size_t>(row)];
}

int codeOf(std::string_view row) {
    const std::string text = ListItem(row, 0);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) {
        return -1;
    }
    return value;
}

template <std::size_t N>
int rowOfTitle(const std::array<std::string_view, N>& table, std::string_view title) {
    for (std::size_t i = 0; i < N; ++i) {
        if (SameTextStr(ListItem(table[i], 1), title)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

std::string_view ConditionRow(int row) {
    return rowOf(kConditions, row);
}
std::string_view OperationRow(int row) {
    return rowOf(kOperations, row);
}
int ConditionCode(int row) {
    return codeOf(ConditionRow(row));
}
int OperationCode(int row) {
    return codeOf(OperationRow(row));
}
std::string ConditionField(int row) {
    return ListItem(ConditionRow(row), 1);
}
std::string OperationField(int row) {
    return ListItem(OperationRow(row), 1);
}
int ConditionRowOfTitle(std::string_view title) {
    return rowOfTitle(kConditions, title);
}
int OperationRowOfTitle(std::string_view title) {
    return rowOfTitle(kOperations, title);
}

} // namespace kv::installer
