#include "installer/common/exec_op.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/reset.h"
#include "machine_helpers.h"
#include "platform/fs/files.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using testing::makeFile;
using testing::makeFolder;
using testing::record;
using Items = std::initializer_list<std::pair<int, const char*>>;

std::string execRecord(Items header, Items arguments) {
    return "~" + record(header) + "~" + record(arguments) + "~";
}

struct Fresh {
    Fresh() {
        resetCommonForTests();
        makeFile("C:\\Data\\here.txt", "x");
    }
    ~Fresh() { resetCommonForTests(); }
    TempMachine machine;
};

struct StageCase {
    const char* name;
    std::string record;
    const char* stage;
    bool result;
    bool abort;
    std::string log;
};

TEST(ExecOp, RecordsOfAStage) {
    const std::vector<StageCase> cases = {
        {"another stage",
         execRecord({{1, "r"}, {2, "After Copy"}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {}), "2",
         true, false, ""},
        {"unknown stage",
         execRecord({{1, "r"}, {2, "Later"}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {}), "1", true,
         false, ""},
        {"no conditions, then-branch, exit still runs the second operation",
         execRecord({{1, "r"},
                     {2, "setup start"},
                     {4, "1"},
                     {19, "1"},
                     {20, "Exit"},
                     {22, "1"},
                     {23, "Create Registry Key"}},
                    {{16, "HKEY_CURRENT_USER\\Software\\T"}}),
         "1", true, true,
         "  r\r\n    THEN Exit    \r\n    THEN Create Registry Key  "
         "HKEY_CURRENT_USER\\Software\\T  \r\n"},
        {"true or false and false is false: else-branch",
         execRecord(
             {{1, "j"},
              {2, "Setup End"},
              {7, "File Found"},
              {9, "2"},
              {12, "Directory Found"},
              {14, "1"},
              {17, "file found"},
              {19, "1"},
              {20, "Exit"},
              {25, "1"},
              {26, "Remove Directory"}},
             {{1, "C:\\Data\\here.txt"}, {5, "C:\\None"}, {9, "C:\\none.txt"}, {19, "C:\\None"}}),
         "4", true, false, // the failed first operation does not count
         "  j\r\n    IF File Found  C:\\Data\\here.txt = TRUE\r\n    or\r\n"
         "    IF Directory Found  C:\\None = FALSE\r\n    and\r\n"
         "    IF file found  C:\\none.txt = FALSE\r\n    Result: FALSE\r\n"
         "    THEN Remove Directory  C:\\None  \r\n"},
        {"negated missing file; empty join ignores conditions 2 and 3",
         execRecord({{1, "n"},
                     {2, "Before Copy"},
                     {6, "1"},
                     {7, "File Found"},
                     {12, "Ask Yes/No"},
                     {14, "1"},
                     {17, "Ask Yes/No"},
                     {19, "1"},
                     {20, "Set Working Directory"}},
                    {{1, "C:\\missing.txt"}, {13, "C:\\Data"}}),
         "2", true, false,
         "  n\r\n    IF NOT File Found  C:\\missing.txt = TRUE\r\n    Result: TRUE\r\n"
         "    THEN Set Working Directory  C:\\Data  \r\n"},
        {"xor; unknown title false as written; disabled second operation",
         execRecord({{1, "x"},
                     {2, "UnInstall End"},
                     {7, "Frobnicate"},
                     {9, "3"},
                     {12, "Drive Found"},
                     {19, "1"},
                     {20, "Frobnicate Op"},
                     {22, "0"},
                     {23, "Exit"}},
                    {{1, "arg"}, {5, "c"}}),
         "6", true, false,
         "  x\r\n    IF Frobnicate  arg = FALSE\r\n    xor\r\n    IF Drive Found  c = TRUE\r\n"
         "    Result: TRUE\r\n    THEN Frobnicate Op    \r\n"},
    };
    for (const StageCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh fresh;
        ui::headless::install();
        bool abort = true;
        std::string log = "stale";
        EXPECT_EQ(RunStage(nullptr, c.record, c.stage, abort, log), c.result);
        EXPECT_EQ(abort, c.abort);
        EXPECT_EQ(log, c.log);
    }
}

TEST(ExecOp, Compares) {
    Fresh fresh;
    ASSERT_TRUE(RegWriteTyped("HKEY_CURRENT_USER\\Software\\T", "n", "9", "DWord"));
    ASSERT_TRUE(RegWriteTyped("HKEY_CURRENT_USER\\Software\\T", "s", "abc", "String"));
    EXPECT_FALSE(CompareValues(">", "HKEY_CURRENT_USER\\Software\\T\\n", "10"));
    EXPECT_TRUE(CompareValues("<", "HKEY_CURRENT_USER\\Software\\T\\n", "10"));
    EXPECT_TRUE(CompareValues("=", "HKEY_CURRENT_USER\\Software\\T\\s", "abc"));
    EXPECT_FALSE(CompareValues("<>", "HKEY_CURRENT_USER\\Software\\T\\s", "abd"));
    EXPECT_FALSE(CompareValues("=", "nobackslash", ""));
    EXPECT_TRUE(CheckColorDepth("=", 32, "High"));
    EXPECT_TRUE(CheckColorDepth("<", 16, "16M (24 bit)"));
    EXPECT_FALSE(CheckColorDepth("=", 8, "256 (8 Bit)"));
    EXPECT_TRUE(CheckScreenResolution(">", 1024, 768, "800x768"));
    EXPECT_FALSE(CheckScreenResolution(">", 1024, 600, "800x768"));
    EXPECT_TRUE(CheckScreenResolution("<=", 800, 600, "800x600"));
    EXPECT_TRUE(CheckScreenResolution("!=", 800, 600, "800x601"));
    EXPECT_TRUE(CompareNumbers(">=", 512, "512"));
    EXPECT_TRUE(CompareNumbers(">", 1, "many"));
    EXPECT_TRUE(CheckSetupType("=", "typical"));
    SetSetupTypeName("Custom");
    EXPECT_TRUE(CheckSetupType(">", "compact"));
    EXPECT_FALSE(IsGroupSelected("Docs"));
    SetSelectedGroups("|Main|Docs|");
    EXPECT_TRUE(IsGroupSelected("Docs"));
    EXPECT_FALSE(IsGroupSelected("docs"));
}

} // namespace
} // namespace kv::installer
