#pragma once
// The execution-extension library: a library beside the installer that adds condition and
// operation types under alias titles. Its exports (C calling convention, 8-bit texts):
//   const char* GetConditionAlias(int index, char* buffer256)   titles of conditions 0..9
//   const char* GetExecutionAlias(int index, char* buffer256)   titles of operations 0..9
//   int GetCondition_<n>(WindowHandle, int stage, const char* argument,
//                        const char* relation, const char* value)       1: the condition holds
//   int SetExecution_<n>(WindowHandle, int stage, const char* argument1,
//                        const char* argument2)                         1: success

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::installer {

// The window handed to the library's functions (0 for none).
using WindowHandle = std::uintptr_t;

class TExecDll {
public:
    // An object with empty lists, for the given window.
    explicit TExecDll(WindowHandle handle);
    virtual ~TExecDll() = default;

    // Reads the library's condition aliases, then its operation aliases (emptying the
    // lists first with `clear`); messages on failures when `messages` is set.
    void Refresh(std::string_view libraryPath, bool clear, bool messages);
    // Whether any alias is known.
    bool HasItems() const { return aliases_.size() > 0; }
    // Calls the function of an alias (found without regard to case) with the stage (its
    // digit, 0 when not a number). A condition function gets the argument, relation and
    // value; an operation function the first two texts. The library is loaded afresh for
    // the call and freed after it. True only when the function returns 1.
    bool Call(std::string_view stage, std::string_view title, std::string_view argument,
              std::string_view relation, std::string_view value);
    bool Call(std::string_view stage, std::string_view title, std::string_view argument1,
              std::string_view argument2);

    // Loads a library; null (after the box when `messages` is set) when it does not load.
    void* Load(std::string_view path, bool messages);
    // The address of a library's function; null (after the box when `messages` is set)
    // when it has none.
    void* GetProc(void* library, std::string_view libraryPath, std::string_view name,
                  bool messages);

    WindowHandle handle() const { return handle_; }
    // The alias map: each alias with "|<library path>|<function name>|".
    const std::vector<std::pair<std::string, std::string>>& aliases() const { return aliases_; }
    // The alias titles of each kind, in the order read.
    const std::vector<std::string>& conditionAliases() const { return conditions_; }
    const std::vector<std::string>& executionAliases() const { return executions_; }

private:
    void readAliases(std::string_view libraryPath, bool condition, bool messages);

    WindowHandle handle_;
    std::vector<std::pair<std::string, std::string>> aliases_;
    std::vector<std::string> conditions_;
    std::vector<std::string> executions_;
};

} // namespace kv::installer
