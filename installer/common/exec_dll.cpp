#include "installer/common/exec_dll.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/messages.h"
#include "installer/common/text_utils.h"
#include "platform/process/libraries.h"
#include "platform/text/ansi.h"

#include <algorithm>
#include <array>

namespace kv::installer {
namespace {

constexpr int kAliasCount = 10;
constexpr std::size_t kAliasBuffer = 256;

using AliasExport = const char* (*)(int index, char* buffer);
using ConditionExport = int (*)(WindowHandle, int stage, const char* argument, const char* relation,
                                const char* value);
using ExecutionExport = int (*)(WindowHandle, int stage, const char* argument1,
                                const char* argument2);

// The stage's number; 0 when the text is not a digit.
int stageNumber(std::string_view stage) {
    return stage.size() == 1 && stage[0] >= '0' && stage[0] <= '9' ? stage[0] - '0' : 0;
}

} // namespace

TExecDll::TExecDll(WindowHandle handle) : handle_(handle) {}

void TExecDll::Refresh(std::string_view libraryPath, bool clear, bool messages) {
    if (clear) {
        aliases_.clear();
        conditions_.clear();
        executions_.clear();
    }
    readAliases(libraryPath, true, messages);
    readAliases(libraryPath, false, messages);
}

void TExecDll::readAliases(std::string_view libraryPath, bool condition, bool messages) {
    void* library = Load(libraryPath, messages);
    if (!library) return;
    const auto aliasExport = reinterpret_cast<AliasExport>(GetProc(
        library, libraryPath, condition ? "GetConditionAlias" : "GetExecutionAlias", messages));
    if (aliasExport) {
        const std::string prefix = condition ? "GetCondition_" : "SetExecution_";
        std::vector<std::string>& titles = condition ? conditions_ : executions_;
        for (int i = 0; i < kAliasCount; ++i) {
            // One byte more than the library is given, so a full buffer still ends with a zero.
            std::array<char, kAliasBuffer + 1> buffer{};
            const char* result = aliasExport(i, buffer.data());
            const std::string title = result ? std::string(result) : std::string();
            if (title.empty()) continue;
            std::string value;
            SetListItem(value, 0, libraryPath);
            SetListItem(value, 1, prefix + std::to_string(i));
            titles.push_back(title);
            aliases_.emplace_back(title, value);
        }
    }
    process::FreeLibrary(library);
}

bool TExecDll::Call(std::string_view stage, std::string_view title, std::string_view argument,
                    std::string_view relation, std::string_view value) {
    const auto alias = std::find_if(aliases_.begin(), aliases_.end(), [&](const auto& a) {
        return text::equalsNoCase(a.first, title);
    });
    if (alias == aliases_.end()) return false;
    const std::string path = ListItem(alias->second, 0);
    const std::string function = ListItem(alias->second, 1);
    void* library = Load(path, true);
    if (!library) return false;
    bool ok = false;
    if (void* proc = GetProc(library, path, function, true)) {
        const std::string a(argument), b(relation), c(value);
        const int n = stageNumber(stage);
        const int result =
            PosText("Condition", function) > 0
                ? reinterpret_cast<ConditionExport>(proc)(handle_, n, a.c_str(), b.c_str(),
                                                          c.c_str())
                : reinterpret_cast<ExecutionExport>(proc)(handle_, n, a.c_str(), b.c_str());
        ok = result == 1;
    }
    process::FreeLibrary(library);
    return ok;
}

bool TExecDll::Call(std::string_view stage, std::string_view title, std::string_view argument1,
                    std::string_view argument2) {
    return Call(stage, title, argument1, argument2, "");
}

void* TExecDll::Load(std::string_view path, bool messages) {
    void* library = process::LoadLibrary(path);
    if (!library && messages)
        ShowErrorBox(nullptr, std::string(path) + "\\n\\nDLL File Not Found!");
    return library;
}

void* TExecDll::GetProc(void* library, std::string_view libraryPath, std::string_view name,
                        bool messages) {
    void* proc = process::GetProcAddress(library, name);
    if (!proc && messages) {
        ShowErrorBox(nullptr, "Function: \"" + std::string(name) +
                                  "\"\\n\\nNot Found in Library: \"" + std::string(libraryPath) +
                                  "\"");
    }
    return proc;
}

} // namespace kv::installer
