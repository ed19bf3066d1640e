#include "installer/common/exec_op.h"
#include "installer/common/exec_probes.h"
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
        registry::resetForTests();
        resetCommonForTests();
        makeFile("C:\\Data\\here.txt", "x");
    }
    ~Fresh() {
        resetCommonForTests();
        registry::resetForTests();
    }
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
    ASSERT_TRUE(RegWriteTyped("HKEY_CURRENT_USER\\Software\\T", "n", "9", "Integer"));
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

struct ConditionCase {
    const char* title;
    const char* argument;
    const char* relation;
    const char* value;
    bool result;
};

TEST(ExecOp, ConditionsOnAFreshMachine) {
    const std::vector<ConditionCase> cases = {
        {"File Found", "C:\\Data\\here.txt", "", "", true},
        {"File Found", "C:\\Data", "", "", false},
        {"Directory Found", "C:\\Data", "", "", true},
        {"Drive Found", "Q", "", "", false},
        {"Registry Key Found", "HKEY_CURRENT_USER\\Software", "", "", true},
        {"Registry Key Found", "HKEY_CURRENT_USER\\Nowhere", "", "", false},
        {"Operating System is in", "95,98,XP", "", "", true},
        {"Operating System is in", "95,98,NT", "", "", false},
        {"Operating System is in", "98, XP", "", "", false}, // the blank stays in the item
        {"Memory Size is (MB)", "", "=", "512", true},
        {"Memory Size is (MB)", "", ">", "512", false},
        {"CPU Speed is (MHz)", "", "=", "2400", true},
        {"CPU Speed is (MHz)", "", "<", "2400", false},
        {"Screen Resolution is", "", "=", "1024x768", true},
        {"Screen Resolution is", "", ">", "1024x768", false},
        {"Color Depth is", "", "=", "True Color (32 bit)", true},
        {"Color Depth is", "", "<=", "16M (24 bit)", false},
        {"Setup Type is", "", "=", "TYPICAL", true},
        {"Setup Type is", "", "<>", "Compact", false},
        {"Group Selected", "Main", "", "", false},
        {"Environment Variable Is", "KV_NOT_SET_ANYWHERE", "=", "", true},
        {"Environment Variable Is", "KV_NOT_SET_ANYWHERE", "!=", "", false},
    };
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " " + c.argument + " " + c.relation + c.value);
        Fresh fresh;
        ASSERT_TRUE(
            RegWriteTyped("HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                          "~MHz", "2400", "Integer"));
        const std::string header = record({{7, c.title}});
        const std::string arguments = record({{1, c.argument}, {2, c.relation}, {3, c.value}});
        EXPECT_EQ(EvalCondition("1", nullptr, header, 1, arguments), c.result);
    }
}

TEST(ExecOp, EnvironmentUserOverSystem) {
    Fresh fresh;
    const char* system =
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    ASSERT_TRUE(RegWriteTyped(system, "KvLevel", "system", "String"));
    EXPECT_TRUE(CompareText2("=", "KvLevel", "system"));
    ASSERT_TRUE(RegWriteTyped("HKEY_CURRENT_USER\\Environment", "KvLevel", "user", "String"));
    EXPECT_TRUE(CompareText2("=", "KvLevel", "user"));
}

TEST(ExecOp, CpuSpeedIsMeasuredWhenTheRegistryHasNone) {
    Fresh fresh;
    const char* key = "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    ASSERT_TRUE(RegWriteTyped(key, "~MHz", "100", "Integer"));
    EXPECT_EQ(GetCpuMHzFromRegistry(), 100);
    const std::int64_t measured = GetCpuMHz();
    EXPECT_GT(measured, 100);
    EXPECT_EQ(MeasureCpuMHz(), measured); // kept once measured
    ASSERT_TRUE(RegWriteTyped(key, "~MHz", "fast", "String"));
    EXPECT_EQ(GetCpuMHzFromRegistry(), -1);
    ASSERT_TRUE(RegWriteTyped(key, "~MHz", "3000", "String"));
    EXPECT_EQ(GetCpuMHz(), 3000);
}

TEST(ExecOp, AskConditionsAreConfirmBoxes) {
    using ui::headless::ExpectedBox;
    struct Case {
        const char* title;
        unsigned style;
        int answer;
        bool result;
    };
    for (const Case c : {Case{"Ask Yes/No", 36, 6, true}, Case{"Ask Yes/No", 36, 7, false},
                         Case{"Ask OK/Cancel", 33, 1, true}, Case{"Ask OK/Cancel", 33, 2, false}}) {
        SCOPED_TRACE(std::string(c.title) + std::to_string(c.answer));
        Fresh fresh;
        auto& ui = ui::headless::install();
        ui.expectBox(ExpectedBox{"Confirm", {}, {}, c.style, c.answer});
        EXPECT_EQ(EvalCondition("1", nullptr, record({{7, c.title}}), 1, record({{1, "Go?"}})),
                  c.result);
        EXPECT_EQ(ui.finish(), "");
    }
}

} // namespace
} // namespace kv::installer
