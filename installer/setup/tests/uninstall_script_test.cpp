// The uninstall script: its name, the line rules, the file saved after every line, a
// repeated installation into the same folder and the script's own removal lines.

#include "installer/common/reset.h"
#include "installer/setup/uninstall_script.h"

#include "installer/common/folders.h"
#include "installer/common/internal/machine_files.h"
#include "installer/setup/script.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using Lines = std::vector<std::string>;

struct Step {
    const char* line;
    bool force = false;
};

// A fresh machine with the application folder C:\App, the given script loaded.
class UninstallScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::headless::install();
        resetCommonForTests();
        std::filesystem::create_directories(internal::hostPathOf("C:\\App"));
        SetTargetDir("C:\\App\\");
    }
    void TearDown() override { resetCommonForTests(); }

    TScript load(const std::string& text) {
        TScript s;
        s.LoadFromText(text);
        return s;
    }
    static std::string content(const std::string& path) {
        std::ifstream file(internal::hostPathOf(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static std::string joined(const Lines& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    }

    TempMachine machine_;
};

TEST_F(UninstallScriptTest, LineRules) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Lines lines;
    };
    const Case cases[] = {
        {"forced blank after text",
         {{"A=1"}, {"", true}, {"B=2"}, {"", true}},
         {"A=1", "", "B=2", ""}},
        {"forced blank after a blank", {{"A=1"}, {"", true}, {"", true}}, {"A=1", ""}},
        {"unforced blank, none in the file", {{"A=1"}, {""}, {"B=2"}}, {"A=1", "", "B=2"}},
        {"unforced blank, one in the file",
         {{"A=1"}, {"", true}, {"B=2"}, {""}, {"C=3"}},
         {"A=1", "", "B=2", "C=3"}},
        {"a line holding =", {{"GroupNames=|Main|Help|"}}, {"GroupNames=|Main|Help|"}},
        {"ends in ) and holds =", {{"S1=Remove it (all)"}}, {"S1=Remove it (all)"}},
        {"gets ;", {{"REMOVE_FILE(C:\\App\\a.exe)"}}, {"REMOVE_FILE(C:\\App\\a.exe);"}},
        {"verbatim line equal to one that got ;",
         {{"REMOVE_FILE(C:\\App\\a.exe)"}, {"remove_file(c:\\app\\A.EXE);"}},
         {"REMOVE_FILE(C:\\App\\a.exe);"}},
        {"same line in other case", {{"Version=1.0"}, {"VERSION=1.0"}}, {"Version=1.0"}},
        {"a forced text line is not forced",
         {{"Version=1.0", true}, {"Version=1.0", true}},
         {"Version=1.0"}},
        {"other endings as given",
         {{"REMOVE_DIR(C:\\x);"}, {"note )."}},
         {"REMOVE_DIR(C:\\x);", "note )."}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(internal::hostPathOf("C:\\App\\UnInstall.txt"));
        const TScript s = load("SET_CREATE_UNINSTALL");
        UninstallScript u(s);
        for (const Step& step : c.steps)
            u.AddUninstallLine(step.line, step.force);
        EXPECT_EQ(u.Lines(), c.lines) << c.name;
        EXPECT_EQ(content("C:\\App\\UnInstall.txt"), joined(c.lines)) << c.name;
    }
}

TEST_F(UninstallScriptTest, FileName) {
    struct Case {
        const char* script;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"SET_CREATE_UNINSTALL", "C:\\App\\", "C:\\App\\UnInstall.txt"},
        {"SET_CREATE_UNINSTALL", "C:\\App", "C:\\App\\UnInstall.txt"},
        {"SET_CREATE_UNINSTALL\nSET_PROG_STAMP(X7)", "C:\\App.v2", "C:\\App.v2\\UnInstall_X7.txt"},
    };
    for (const Case& c : cases) {
        SetTargetDir(c.folder);
        const TScript s = load(c.script);
        UninstallScript u(s);
        EXPECT_EQ(u.UninstallFileName(), c.name) << c.script;
        // Fixed at its first use.
        SetTargetDir("D:\\Other");
        EXPECT_EQ(u.UninstallFileName(), c.name) << c.script;
    }
}

TEST_F(UninstallScriptTest, SavedAfterEveryLineOnlyWhenAsked) {
    const TScript s = load("SET_CREATE_UNINSTALL\nSET_PROG_STAMP(2024)");
    UninstallScript u(s);
    u.AddUninstallLine("SetupType=Typical", false);
    EXPECT_EQ(content("C:\\App\\UnInstall_2024.txt"), "SetupType=Typical\r\n");
    u.AddUninstallLine("REMOVE_FILE(C:\\App\\UnInstall_2024.txt)", false);
    EXPECT_EQ(content("C:\\App\\UnInstall_2024.txt"),
              "SetupType=Typical\r\nREMOVE_FILE(C:\\App\\UnInstall_2024.txt);\r\n");

    const TScript off = load("SET_CREATE_SETUP_LOG");
    UninstallScript none(off);
    none.AddUninstallLine("SetupType=Typical", false);
    EXPECT_TRUE(none.Lines().empty());
    EXPECT_FALSE(std::filesystem::exists(internal::hostPathOf("C:\\App\\UnInstall.txt")));
}

TEST_F(UninstallScriptTest, FailedSaveIsIgnoredAndRetried) {
    SetTargetDir("C:\\Later");
    const TScript s = load("SET_CREATE_UNINSTALL");
    UninstallScript u(s);
    u.AddUninstallLine("A=1", false);
    std::filesystem::create_directories(internal::hostPathOf("C:\\Later"));
    u.AddUninstallLine("B=2", false);
    EXPECT_EQ(content("C:\\Later\\UnInstall.txt"), "A=1\r\nB=2\r\n");
}

TEST_F(UninstallScriptTest, LinesBeforeTheFolderIsKnownAreKept) {
    // A repeated installation whose first line comes before the folder is set: the earlier
    // file's lines still come first and nothing is written twice.
    std::ofstream(internal::hostPathOf("C:\\App\\UnInstall.txt"), std::ios::binary)
        << "Version=1.0\r\n\r\nTargetDir=C:\\App\r\n";
    SetTargetDir("");
    const TScript s = load("SET_CREATE_UNINSTALL");
    UninstallScript u(s);
    u.AddUninstallLine("SetupType=Custom", false);
    u.AddUninstallLine("version=1.0", false);
    EXPECT_EQ(u.UninstallFileName(), "");
    SetTargetDir("C:\\App");
    u.AddUninstallLine("TargetDir=C:\\App", false);
    EXPECT_EQ(content("C:\\App\\UnInstall.txt"),
              "Version=1.0\r\n\r\nTargetDir=C:\\App\r\nSetupType=Custom\r\n");
}

TEST_F(UninstallScriptTest, SecondInstallAddsOnlyNewLines) {
    const TScript s = load("SET_CREATE_UNINSTALL\nSET_REMOVE_ABSOLUTE_FILE(C:\\App\\a.dat)");
    const std::vector<Step> first = {{"SetupType=Typical"},
                                     {"GroupNames=|Main|"},
                                     {"Version=1.0"},
                                     {"", true},
                                     {"REMOVE_FILE(C:\\App\\a.exe)"}};
    const std::vector<Step> second = {
        {"SetupType=Custom"}, {"GroupNames=|Main|"},           {"Version=1.0"},
        {"", true},           {"REMOVE_FILE(C:\\App\\A.EXE)"}, {"REMOVE_FILE(C:\\App\\b.exe)"}};
    for (const auto* run : {&first, &second}) {
        UninstallScript u(s);
        for (const Step& step : *run)
            u.AddUninstallLine(step.line, step.force);
        u.AddScriptRemoveLines();
    }
    EXPECT_EQ(content("C:\\App\\UnInstall.txt"),
              "SetupType=Typical\r\nGroupNames=|Main|\r\nVersion=1.0\r\n\r\n"
              "REMOVE_FILE(C:\\App\\a.exe);\r\nREMOVE_FILE(C:\\App\\a.dat);\r\n"
              "SetupType=Custom\r\n\r\nREMOVE_FILE(C:\\App\\b.exe);\r\n");
}

TEST_F(UninstallScriptTest, ScriptRemoveLines) {
    SetTargetDir("C:\\Program Files\\App\\");
    std::filesystem::create_directories(internal::hostPathOf("C:\\Program Files\\App"));
    const TScript s = load("SET_CREATE_UNINSTALL\n"
                           "SET_REMOVE_REG_KEY(HKEY_CURRENT_USER\\Software\\App)\n"
                           "SET_FORCE_REMOVE_TARGET_SUB_DIR(data)\n"
                           "SET_FORCE_REMOVE_TARGET_DIR(x)\n"
                           "SET_COPY_TO_UNINSTALL\n"
                           "REMOVE_FILE(<TARGET_DIR>\\<TARGET_DIR>.txt)\n"
                           "remove_file(C:\\Program Files\\App\\<target_dir>.txt);\n"
                           "REMOVE_FILE(C:\\Other\\x.txt)\n"
                           "REMOVE_FILE(c:\\other\\X.TXT)\n");
    UninstallScript u(s);
    u.AddScriptRemoveLines();
    EXPECT_EQ(u.Lines(), (Lines{"REMOVE_REG_KEY(HKEY_CURRENT_USER\\Software\\App);",
                                "FORCE_REMOVE_DIR(C:\\Program Files\\App\\data);",
                                "FORCE_REMOVE_DIR(C:\\Program Files\\App);",
                                "REMOVE_FILE(C:\\Program Files\\App\\<TARGET_DIR>.txt);",
                                "REMOVE_FILE(C:\\Other\\x.txt);"}));
}

} // namespace
} // namespace kv::installer
