#include "installer/common/delimited_lists.h"
#include "installer/common/exec_cond_str.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::installer {
namespace {

TEST(ExecTables, RowsHaveTheirShapeAndAscendingCodes) {
    int previous = 0;
    for (int row = kFirstConditionRow; row <= kLastConditionRow; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ListCount(ConditionRow(row)), 5);
        EXPECT_GT(ConditionCode(row), previous);
        previous = ConditionCode(row);
        EXPECT_EQ(ConditionRowOfTitle(ConditionField(row)), row);
    }
    previous = 0;
    for (int row = kFirstOperationRow; row <= kLastOperationRow; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ListCount(OperationRow(row)), 4);
        EXPECT_GT(OperationCode(row), previous);
        previous = OperationCode(row);
        EXPECT_EQ(OperationRowOfTitle(OperationField(row)), row);
    }
}

TEST(ExecTables, SelectedRowsExactly) {
    EXPECT_EQ(ConditionRow(0), "|11|File Found|Enter file name|||");
    EXPECT_EQ(ConditionRow(13), "|51|Memory Size is (MB)||Select Condition Relation|Enter "
                                "Memory available to Windows in MEGA-Bytes|");
    EXPECT_EQ(ConditionRow(20), "|64|Group Selected|Enter Group Name|||");
    EXPECT_EQ(ListItem(OperationRow(2), 2), ListItem(OperationRow(1), 2));
    EXPECT_EQ(ListItem(OperationRow(3), 3), ListItem(OperationRow(1), 3));
    EXPECT_EQ(ListItem(OperationRow(24), 3),
              R"(Enter text to be added (\n for NewLine  \t for TAB))");
    EXPECT_EQ(ListItem(OperationRow(25), 2),
              R"(Enter Message text (\\n for NewLine  \\t for TAB))");
    EXPECT_EQ(OperationRow(26), "|62|Exit|||");
}

TEST(ExecTables, LookupsAndBounds) {
    EXPECT_EQ(ConditionRowOfTitle("file found"), 0);
    EXPECT_EQ(ConditionRowOfTitle("FILE FOUND"), 0);
    EXPECT_EQ(OperationRowOfTitle("exit"), 26);
    EXPECT_EQ(ConditionRowOfTitle("Frobnicate"), -1);
    EXPECT_EQ(OperationRowOfTitle("Frobnicate"), -1);
    EXPECT_EQ(ConditionCode(ConditionRowOfTitle("Frobnicate")), -1);
    EXPECT_EQ(OperationCode(27), -1);
    EXPECT_EQ(ConditionCode(-1), -1);
    EXPECT_EQ(ConditionCode(21), -1);
    EXPECT_EQ(OperationField(27), "");
    EXPECT_EQ(ConditionField(-1), "");
    EXPECT_EQ(ConditionCode(20), 64);
    EXPECT_EQ(OperationCode(0), 11);
    EXPECT_EQ(ListIndexOf(StageNames, " setup start ") + 1, 1);
    EXPECT_EQ(ListCount(StageNames), 6);
}

} // namespace
} // namespace kv::installer
