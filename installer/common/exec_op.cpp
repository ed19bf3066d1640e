#include "installer/common/exec_op.h"

#include "installer/common/com_servers.h"
#include "installer/common/delimited_lists.h"
#include "installer/common/exec_cond_str.h"
#include "installer/common/exec_dll.h"
#include "installer/common/exec_probes.h"
#include "installer/common/file_ops.h"
#include "installer/common/folders.h"
#include "installer/common/install_registry.h"
#include "installer/common/internal/reset.h"
#include "installer/common/messages.h"
#include "installer/common/process_ops.h"
#include "installer/common/program_ops.h"
#include "installer/common/registry_ops.h"
#include "installer/common/service_ops.h"
#include "installer/common/system_queries.h"
#include "installer/common/text_utils.h"
#include "installer/common/version_info.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

namespace kv::installer {
namespace {

constexpr int kShowNormal = 1;
constexpr int kHide = 0;

std::string setupTypeName_ = "Typical";
std::string selectedGroups_;
std::string execLog_;

std::int64_t toInt64(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) {
        return 0;
    }
    return value;
}

template <typename T> bool relate(std::string_view relation, const T& a, const T& b) {
    if (relation == "=") {
        return a == b;
    }
    if (relation == "!=") {
        return a != b;
    }
    if (relation == ">") {
        return a > b;
    }
    if (relation == "<") {
        return a < b;
    }
    if (relation == ">=") {
        return a >= b;
    }
    if (relation == "<=") {
        return a <= b;
    }
    return false;
}

// Three-character escapes of appended text: backslash, backslash, n / t.
std::string expandAppendEscapes(std::string_view text) {
    return ReplaceAll(ReplaceAll(text, "\\\\n", "\r\n"), "\\\\t", "\t");
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string setupTypeCode(std::string_view name) {
    const std::string upper = upperAscii(name);
    if (upper == "TYPICAL") {
        return "1";
    }
    if (upper == "COMPACT") {
        return "2";
    }
    if (upper == "CUSTOM") {
        return "3";
    }
    return upper;
}

// An environment variable as programs get it at start: the user value over the system one
// in the machine's registry, over the variables this program started with.
std::string environmentValue(std::string_view name) {
    bool isDword = false;
    if (RegKeyExists("HKEY_CURRENT_USER\\Environment")) {
        const std::string user = RegReadString("HKEY_CURRENT_USER\\Environment", name, isDword);
        if (!user.empty()) {
            return user;
        }
    }
    const std::string system = RegReadString(
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
        name, isDword);
    if (!system.empty()) {
        return system;
    }
    const std::string key(name);
    const char* started = key.empty() ? nullptr : std::getenv(key.c_str());
    return started != nullptr ? std::string(started) : std::string();
}

bool fileFound(const std::string& path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

bool conditionByCode(int code, const std::string& argument, std::string_view relation,
                     std::string_view value) {
    switch (code) {
    case 11:
        return fileFound(argument);
    case 12:
        return fs::isDirectory(argument);
    case 13:
        return !argument.empty() && fs::isDirectory(std::string(1, argument[0]) + ":\\");
    case 21:
        return !ReadAppPathExe(argument).empty();
    case 22:
        return !ReadAppPathDir(argument).empty();
    case 23:
    case 34:
        return CompareVersions(relation, argument, value);
    case 31:
        return IsProcessRunning(argument);
    case 32:
        return IsServiceRunning(argument);
    case 33:
        return ("," + argument + ",").find("," + GetOSShortName() + ",") != std::string::npos;
    case 41:
        return RegKeyExists(argument);
    case 42:
        return CompareValues(relation, argument, value);
    case 43:
        return CompareText2(relation, argument, value);
    case 51:
        return CheckMemorySize(relation, value);
    case 52:
        return CheckCpuSpeed(relation, value);
    case 53:
        return CheckScreenResolution(relation, GetScreenWidth(), GetScreenHeight(), value);
    case 54:
        return CheckColorDepth(relation, GetColorBits(), value);
    case 61:
        return AskYesNo(argument);
    case 62:
        return AskOkCancel(argument);
    case 63:
        return CheckSetupType(relation, value);
    case 64:
        return IsGroupSelected(argument);
    default:
        return false;
    }
}

bool operationByCode(int code, const std::string& a1, const std::string& a2, bool& abort) {
    switch (code) {
    case 11:
        DeleteByMask(a1, false);
        return true;
    case 12:
        return CopyFiles(a1, a2, false) > 0;
    case 13:
        if (CopyFiles(a1, a2, false) > 0) {
            DeleteByMask(a1, false);
            return true;
        }
        return false;
    case 14:
        return MoveFiles(a1, a2) > 0;
    case 21:
        return fs::removeFolder(a1);
    case 22:
        DeleteTree(a1, false);
        return true;
    case 23:
        return fs::setCurrentFolder(a1);
    case 24:
        CopyTree(a1, a2);
        return true;
    case 25:
        RenameDirectory(a1, a2);
        return true;
    case 31: {
        const std::string exe = ReadAppPathExe(a1);
        return !exe.empty() && fileFound(exe) && fs::deleteFile(exe);
    }
    case 32: {
        const std::string dir = ReadAppPathDir(a1);
        if (dir.empty() || !fs::isDirectory(dir)) {
            return false;
        }
        DeleteTree(dir, false);
        return !fs::exists(dir);
    }
    case 33: {
        const std::string command = ReadUninstallString(a1, "");
        return !command.empty() && fileFound(command) && RunProgram(command, "", true, kShowNormal);
    }
    case 34:
    case 35:
        return RunAppPathProgram(a1, a2, code == 35, kShowNormal);
    case 41:
    case 42:
        return RunProgram(a1, a2, code == 42, kShowNormal);
    case 43:
    case 44:
        return ShellOpen(a1, a2, code == 43 ? kShowNormal : kHide);
    case 51:
        return StartServiceByName(a1, true);
    case 52:
        return StopServiceByName(a1, true);
    case 53:
        return RegWriteTyped(a1, "", "", "String");
    case 54:
        return RegDeleteKeyIfExists(a1);
    case 55:
    case 56:
        return RegisterServer(a1, code == 55);
    case 60:
        return AppendTextToFile(a1, expandAppendEscapes(a2), 0);
    case 61:
        AttentionMessage(a1);
        return true;
    case 62:
        abort = true;
        return true;
    default:
        return true;
    }
}

} // namespace

namespace internal {
void resetExecOp() {
    setupTypeName_ = "Typical";
    selectedGroups_.clear();
    execLog_.clear();
}
} // namespace internal

void SetSetupTypeName(std::string_view name) {
    setupTypeName_ = name;
}
void SetSelectedGroups(std::string_view groups) {
    selectedGroups_ = groups;
}
void ExecLogClear() {
    execLog_.clear();
}
void ExecLog(std::string_view line) {
    execLog_ += line;
    execLog_ += "\r\n";
}
std::string GetExecLog() {
    return execLog_;
}

bool CompareText(std::string_view relation, std::string_view stored, std::string_view value) {
    return relate(relation, stored, value);
}

bool CompareValues(std::string_view relation, std::string_view registryPath,
                   std::string_view value) {
    const std::size_t slash = registryPath.rfind('\\');
    if (slash == std::string_view::npos) {
        return false;
    }
    bool isDword = false;
    std::string stored =
        RegReadString(registryPath.substr(0, slash), registryPath.substr(slash + 1), isDword);
    std::string wanted(value);
    if (isDword) {
        const int width = static_cast<int>(std::max(stored.size(), wanted.size())) + 1;
        stored = PadZeros(stored, width);
        wanted = PadZeros(wanted, width);
    }
    return CompareText(relation, stored, wanted);
}

bool CompareText2(std::string_view relation, std::string_view variable, std::string_view value) {
    return CompareText(relation, environmentValue(variable), value);
}

bool CompareVersions(std::string_view relation, std::string_view file, std::string_view value) {
    return CompareText(relation, GetFileVersion(file, 5), NormalizeVersion(value, 5));
}

bool CompareNumbers(std::string_view relation, std::int64_t measured, std::string_view value) {
    return relate(relation, measured, toInt64(value));
}

bool CheckScreenResolution(std::string_view relation, std::int64_t width, std::int64_t height,
                           std::string_view value) {
    const std::string parts = "x" + std::string(value) + "x";
    const std::int64_t w = toInt64(ListItem(parts, 0));
    const std::int64_t h = toInt64(ListItem(parts, 1));
    if (relation == "=") {
        return width == w && height == h;
    }
    if (relation == "!=") {
        return width != w || height != h;
    }
    if (relation == ">") {
        return (width > w && height >= h) || (width >= w && height > h);
    }
    if (relation == "<") {
        return (width < w && height <= h) || (width <= w && height < h);
    }
    if (relation == ">=") {
        return width >= w && height >= h;
    }
    if (relation == "<=") {
        return width <= w && height <= h;
    }
    return false;
}

bool CheckColorDepth(std::string_view relation, std::int64_t bits, std::string_view value) {
    std::int64_t wanted = 32;
    if (value == "256 (8 bit)") {
        wanted = 8;
    } else if (value == "32K (15 bit)") {
        wanted = 15;
    } else if (value == "64K (16 bit)") {
        wanted = 16;
    } else if (value == "16M (24 bit)") {
        wanted = 24;
    }
    return relate(relation, bits, wanted);
}

bool CheckSetupType(std::string_view relation, std::string_view value) {
    return CompareText(relation, setupTypeCode(setupTypeName_), setupTypeCode(value));
}

bool IsGroupSelected(std::string_view name) {
    return selectedGroups_.find("|" + std::string(name) + "|") != std::string::npos;
}

bool EvalCondition(std::string_view stage, TExecDll* library, std::string_view header, int n,
                   std::string_view arguments) {
    const int headerBase = 1 + 5 * n;         // 6, 11, 16
    const int argumentBase = 1 + 4 * (n - 1); // 1, 5, 9
    const bool negated = ListItem(header, headerBase) == "1";
    const std::string title = ListItem(header, headerBase + 1);
    const std::string argument = ExpandFolderVars(ListItem(arguments, argumentBase));
    const std::string relation = ListItem(arguments, argumentBase + 1);
    const std::string value = ListItem(arguments, argumentBase + 2);
    const int code = ConditionCode(ConditionRowOfTitle(title));
    bool result = conditionByCode(code, argument, relation, value);
    if (code == -1 && library != nullptr && library->HasItems()) {
        result = library->Call(stage, title, argument, relation, value);
    }
    if (negated) {
        result = !result;
    }
    ExecLog("    IF " + std::string(negated ? "NOT " : "") + title + "  " + argument + " = " +
            (result ? "TRUE" : "FALSE"));
    return result;
}

bool RunOperation(std::string_view stage, TExecDll* library, std::string_view header, bool& abort,
                  int n, std::string_view arguments) {
    const int headerBase = 16 + 3 * n;   // 19, 22, 25, 28
    const int argumentBase = 10 + 3 * n; // 13, 16, 19, 22
    if (ListItem(header, headerBase) != "1") {
        return true;
    }
    const std::string title = ListItem(header, headerBase + 1);
    const std::string a1 = ExpandFolderVars(ListItem(arguments, argumentBase));
    const std::string a2 = ExpandFolderVars(ListItem(arguments, argumentBase + 1));
    const int code = OperationCode(OperationRowOfTitle(title));
    bool result = true;
    if (code == -1 && library != nullptr && library->HasItems()) {
        result = library->Call(stage, title, a1, a2);
    } else {
        result = operationByCode(code, a1, a2, abort);
    }
    ExecLog("    THEN " + title + "  " + a1 + "  " + a2);
    return result;
}

bool RunExecRecord(std::string_view stage, TExecDll* library, std::string_view header, bool& abort,
                   std::string_view arguments) {
    bool branch = true;
    if (ListItem(header, 4) != "1") {
        branch = EvalCondition(stage, library, header, 1, arguments);
        static constexpr std::string_view kJoinWords[] = {"and", "or", "xor"};
        const auto join = [&](int item, int n) {
            const char code = (ListItem(header, item) + "0")[0];
            if (code < '1' || code > '3') {
                return false;
            }
            ExecLog("    " + std::string(kJoinWords[code - '1']));
            const bool next = EvalCondition(stage, library, header, n, arguments);
            branch = code == '1'   ? (branch && next)
                     : code == '2' ? (branch || next)
                                   : (branch != next);
            return true;
        };
        if (join(9, 2)) {
            join(14, 3);
        }
        ExecLog(std::string("    Result: ") + (branch ? "TRUE" : "FALSE"));
    }
    const int first = branch ? 1 : 3;
    RunOperation(stage, library, header, abort, first, arguments);
    return RunOperation(stage, library, header, abort, first + 1, arguments);
}

bool RunStage(TExecDll* library, std::string_view record, std::string_view stage, bool& abort,
              std::string& logText) {
    ExecLogClear();
    logText.clear();
    abort = false;
    const std::string header = ListItem(record, 0);
    const std::string arguments = ListItem(record, 1);
    // A stage name not in the list ("0") belongs to no stage, whatever digit is asked for.
    const int position = ListIndexOf(StageNames, ListItem(header, 2));
    if (position < 0 || std::to_string(position + 1) != stage) {
        return true;
    }
    ExecLog("  " + ListItem(header, 1));
    const bool result = RunExecRecord(stage, library, header, abort, arguments);
    logText = GetExecLog();
    return result;
}

} // namespace kv::installer
