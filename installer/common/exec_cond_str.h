#pragma once
// The vocabulary of execute-operation records: the condition and operation tables, the
// stage names. Each table row is a "|"-delimited list: code, title, then the prompts a
// script-composing tool shows for the arguments.

#include <string>
#include <string_view>

namespace kv::installer {

inline constexpr int kFirstConditionRow = 0;
inline constexpr int kLastConditionRow = 20;
inline constexpr int kFirstOperationRow = 0;
inline constexpr int kLastOperationRow = 26;

// The six stages, numbered 1 to 6 by position.
inline constexpr std::string_view StageNames =
    "|Setup Start|Before Copy|After Copy|Setup End|UnInstall Start|UnInstall End|";

// The row texts; empty outside the range.
std::string_view ConditionRow(int row);
std::string_view OperationRow(int row);
// The code of a row; -1 outside the range or when the code is not a number.
int ConditionCode(int row);
int OperationCode(int row);
// The title of a row; empty outside the range.
std::string ConditionField(int row);
std::string OperationField(int row);
// The first row whose title equals `title` without regard to case; -1 when none.
int ConditionRowOfTitle(std::string_view title);
int OperationRowOfTitle(std::string_view title);

} // namespace kv::installer
