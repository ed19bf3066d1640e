#include "installer/common/exec_op.h"
#include "installer/common/exec_probes.h"
#include "installer/common/install_registry.h"
#include "installer/common/internal/machine_files.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/reset.h"
#include "installer/common/text_utils.h"
#include "machine_helpers.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/pe/testing/pe_fixtures.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <string>
#include <vector>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using testing::execRecord;
using testing::makeFile;
using testing::makeFolder;
using testing::record;

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
    std::function<void()> prepare = [] {};
};

constexpr const char* kDwordPath = "HKEY_CURRENT_USER\\Software\\T\\n";

void writeDwordNine() {
    RegWriteTyped("HKEY_CURRENT_USER\\Software\\T", "n", "9", "Integer");
}

TEST(ExecOp, RecordsOfAStage) {
    const std::vector<StageCase> cases = {
        {"another stage",
         execRecord({{1, "r"}, {2, "After Copy"}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {}), "2",
         true, false, ""},
        {"unknown stage",
         execRecord({{1, "r"}, {2, "Later"}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {}), "1", true,
         false, ""},
        {"an unknown stage name runs for no digit, not even 0",
         execRecord({{1, "r"}, {2, "Later"}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {}), "0", true,
         false, ""},
        {"no stage name, digit 0 asked",
         execRecord({{1, "r"}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {}), "0", true, false, ""},
        {"registry DWORD 9 is not above 10: else-branch",
         execRecord({{1, "reg"},
                     {2, "UnInstall Start"},
                     {7, "Registry Value is"},
                     {19, "1"},
                     {20, "Exit"},
                     {25, "1"},
                     {26, "Remove Registry Key"}},
                    {{1, kDwordPath}, {2, ">"}, {3, "10"}, {19, "HKEY_CURRENT_USER\\Software\\T"}}),
         "5", true, false,
         "  reg\r\n    IF Registry Value is  HKEY_CURRENT_USER\\Software\\T\\n = FALSE\r\n"
         "    Result: FALSE\r\n    THEN Remove Registry Key  HKEY_CURRENT_USER\\Software\\T  \r\n",
         writeDwordNine},
        {"registry DWORD 9 is below 10: then-branch",
         execRecord({{1, "reg"},
                     {2, "UnInstall Start"},
                     {7, "Registry Value is"},
                     {19, "1"},
                     {20, "Exit"}},
                    {{1, kDwordPath}, {2, "<"}, {3, "10"}}),
         "5", true, true,
         "  reg\r\n    IF Registry Value is  HKEY_CURRENT_USER\\Software\\T\\n = TRUE\r\n"
         "    Result: TRUE\r\n    THEN Exit    \r\n",
         writeDwordNine},
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
        c.prepare();
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
    std::function<void()> prepare = [] {};
};

constexpr const char* kAppPaths =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

TEST(ExecOp, ConditionsOnAFreshMachine) {
    const auto appPath = [] { WriteAppPath("C:\\App\\app.exe"); };
    const auto exeOnly = [] {
        RegWriteTyped(std::string(kAppPaths) + "half.exe", "", "C:\\half.exe", "String");
    };
    const std::vector<ConditionCase> cases = {
        {"Application Found", "APP.EXE", "", "", true, appPath},
        {"Application Found", "half.exe", "", "", true, exeOnly},
        {"Application Found", "app.exe", "", "", false},
        {"Application Path Found", "app.exe", "", "", true, appPath},
        {"Application Path Found", "half.exe", "", "", false, exeOnly},
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
        c.prepare();
        const std::string header = record({{7, c.title}});
        const std::string arguments = record({{1, c.argument}, {2, c.relation}, {3, c.value}});
        EXPECT_EQ(EvalCondition("1", nullptr, header, 1, arguments), c.result);
    }
}

TEST(ExecOp, FileVersionConditions) {
    Fresh fresh;
    ASSERT_EQ(
        pe::testing::buildDll(
            pe::testing::versionScript("1,0,10,0", {{"040904E4", {{"FileVersion", "1.0.10.0"}}}},
                                       std::vector<std::pair<int, int>>{{0x409, 1252}}),
            pe::testing::Bits::Pe32, fresh.machine.hostFolder('C') / "app.dll"),
        "");
    const std::vector<ConditionCase> cases = {
        // The third number, padded to 00010, sorts after 00009.
        {"File Version is", "C:\\app.dll", ">=", "1.0.9.4", true},
        {"File Version is", "c:\\APP.DLL", "<", "1.0.9.4", false},
        {"Application Version is", "C:\\app.dll", "=", "1.0.10.0", true},
        {"Application Version is", "C:\\app.dll", "!=", "1.0.10.0", false},
        {"File Version is", "C:\\app.dll", "<>", "2.0", false},
        {"File Version is", "C:\\Data\\here.txt", ">", "0", false}, // no version: empty side
    };
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " " + c.argument + " " + c.relation + c.value);
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

std::string content(const std::string& path) {
    std::ifstream file(internal::hostPathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct OperationCase {
    const char* title;
    const char* argument1;
    const char* argument2;
    std::function<void()> prepare;
    bool result;
    std::function<bool()> effect;
};

TEST(ExecOp, OperationsOnAFreshMachine) {
    const auto nothing = [] {};
    const auto appExe = [] {
        makeFile("C:\\App\\app.exe");
        WriteAppPath("C:\\App\\app.exe");
    };
    const std::vector<OperationCase> cases = {
        {"Delete File(s)", "C:\\Data\\*.txt", "", nothing, true,
         [] { return !fs::exists("C:\\Data\\here.txt"); }},
        {"Copy File(s)", "C:\\Data\\*.txt", "C:\\Data\\*.bak", nothing, true,
         [] { return fs::exists("C:\\Data\\here.bak") && fs::exists("C:\\Data\\here.txt"); }},
        {"Copy File(s)", "C:\\Data\\*.txt", "C:\\NoFolder\\*.txt", nothing, false,
         [] { return !fs::exists("C:\\NoFolder"); }},
        {"Move File(s)", "C:\\Data\\*.txt", "C:\\Data\\*.bak", nothing, true,
         [] { return fs::exists("C:\\Data\\here.bak") && !fs::exists("C:\\Data\\here.txt"); }},
        {"Move File(s)", "C:\\Data\\*.doc", "C:\\Data\\*.bak", nothing, false,
         [] { return fs::exists("C:\\Data\\here.txt"); }},
        {"Rename File(s)", "C:\\Data\\here.txt", "C:\\Data\\there.txt", nothing, true,
         [] { return fs::exists("C:\\Data\\there.txt"); }},
        {"Remove Directory", "C:\\Data", "", nothing, false, [] { return fs::exists("C:\\Data"); }},
        {"Remove Directory", "C:\\Empty", "", [] { makeFolder("C:\\Empty"); }, true,
         [] { return !fs::exists("C:\\Empty"); }},
        {"Force Remove Directory", "C:\\Data", "", nothing, true,
         [] { return !fs::exists("C:\\Data"); }},
        {"Set Working Directory", "C:\\Data", "", nothing, true,
         [] { return SameTextStr(fs::currentFolder(), "C:\\Data"); }},
        {"Set Working Directory", "C:\\None", "", nothing, false, [] { return true; }},
        {"Copy Directory Tree", "C:\\Data", "C:\\Copy", nothing, true,
         [] { return fs::exists("C:\\Copy\\here.txt"); }},
        {"Rename Directory", "C:\\Data", "Renamed", nothing, true,
         [] { return fs::exists("C:\\Renamed\\here.txt"); }},
        {"Delete Application Executable", "app.exe", "", appExe, true,
         [] { return !fs::exists("C:\\App\\app.exe") && fs::exists("C:\\App"); }},
        {"Delete Application Executable", "none.exe", "", nothing, false, [] { return true; }},
        {"Remove Application Directory", "app.exe", "", appExe, true,
         [] { return !fs::exists("C:\\App"); }},
        {"Remove Application Directory", "none.exe", "", nothing, false, [] { return true; }},
        {"UnInstall Application", "No Such Program", "", nothing, false, [] { return true; }},
        {"Create Registry Key", "HKEY_CURRENT_USER\\Software\\New", "", nothing, true,
         [] { return RegKeyExists("HKEY_CURRENT_USER\\Software\\New"); }},
        {"Remove Registry Key", "HKEY_CURRENT_USER\\Software\\Old", "",
         [] { RegWriteTyped("HKEY_CURRENT_USER\\Software\\Old\\Sub", "v", "1", "String"); }, true,
         [] { return !RegKeyExists("HKEY_CURRENT_USER\\Software\\Old"); }},
        {"Remove Registry Key", "HKEY_CURRENT_USER\\Software\\Absent", "", nothing, true,
         [] { return true; }},
        {"Append Text to a File", "C:\\Data\\here.txt", "a\\\\nb\\\\tc\\n", nothing, true,
         [] { return content("C:\\Data\\here.txt") == "xa\r\nb\tc\\n"; }},
        {"Append Text to a File", "C:\\None\\f.txt", "a", nothing, false, [] { return true; }},
        {"Some Other Operation", "x", "y", nothing, true, [] { return true; }},
    };
    for (const OperationCase& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " " + c.argument1 + " " + c.argument2);
        Fresh fresh;
        ui::headless::install();
        c.prepare();
        bool abort = false;
        const std::string header = record({{19, "1"}, {20, c.title}});
        const std::string arguments = record({{13, c.argument1}, {14, c.argument2}});
        EXPECT_EQ(RunOperation("1", nullptr, header, abort, 1, arguments), c.result);
        EXPECT_TRUE(c.effect());
        EXPECT_FALSE(abort);
        EXPECT_EQ(GetExecLog(), "    THEN " + std::string(c.title) + "  " + c.argument1 + "  " +
                                    c.argument2 + "\r\n");
    }
}

TEST(ExecOp, DisplayMessageIsAnAttentionBox) {
    Fresh fresh;
    auto& ui = ui::headless::install();
    ui.expectBox(ui::headless::ExpectedBox{"Attention", {}, {}, 48, 1});
    bool abort = false;
    EXPECT_TRUE(RunOperation("1", nullptr, record({{22, "1"}, {23, "Display Message"}}), abort, 2,
                             record({{16, "Hello"}})));
    EXPECT_EQ(ui.finish(), "");
}

} // namespace
} // namespace kv::installer
