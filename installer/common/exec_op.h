#pragma once
// Runs the execute-operation records of one stage: picks the records of the stage,
// evaluates their conditions, performs the operations of the chosen branch and keeps a
// text log of what it did.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::installer {

class TExecDll;

// The setup type name read by "Setup Type is" ("Typical" at start).
void SetSetupTypeName(std::string_view name);
// The "|"-delimited selected group names read by "Group Selected".
void SetSelectedGroups(std::string_view groups);
// The execution log: each line followed by CR LF.
void ExecLogClear();
void ExecLog(std::string_view line);
std::string GetExecLog();

// Runs the record when it belongs to the stage (its digit, "1" to "6"); true for a record
// of another stage or of an unknown stage name, which never runs. Clears the log and the
// abort flag first; `logText` gets the log.
bool RunStage(TExecDll* library, std::string_view record, std::string_view stage, bool& abort,
              std::string& logText);
// Evaluates the conditions and runs the branch; the result of the branch's second operation.
bool RunExecRecord(std::string_view stage, TExecDll* library, std::string_view header, bool& abort,
                   std::string_view arguments);
// Condition 1 to 3 of the record, negated when the record asks for it.
bool EvalCondition(std::string_view stage, TExecDll* library, std::string_view header, int n,
                   std::string_view arguments);
// Operation 1 to 4 (1, 2 the then-branch, 3, 4 the else-branch); true when disabled.
bool RunOperation(std::string_view stage, TExecDll* library, std::string_view header, bool& abort,
                  int n, std::string_view arguments);

// Relation compares: the relation sign, the stored or measured side, the record's value.
bool CompareText(std::string_view relation, std::string_view stored, std::string_view value);
bool CompareValues(std::string_view relation, std::string_view registryPath,
                   std::string_view value);
bool CompareText2(std::string_view relation, std::string_view variable, std::string_view value);
bool CompareVersions(std::string_view relation, std::string_view file, std::string_view value);
bool CompareNumbers(std::string_view relation, std::int64_t measured, std::string_view value);
bool CheckScreenResolution(std::string_view relation, std::int64_t width, std::int64_t height,
                           std::string_view value);
bool CheckColorDepth(std::string_view relation, std::int64_t bits, std::string_view value);
bool CheckSetupType(std::string_view relation, std::string_view value);
bool IsGroupSelected(std::string_view name);

} // namespace kv::installer
