// The first uninstall data: the head of the uninstall script, the Add/Remove Programs entry
// and its size record, the uninstaller, library and delivery files, the program key, App
// Paths, the info file and the auto-update program.

#include "installer/setup/uninstall_data_writer.h"

#include "installer/common/folders.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/setup/copy_wizard.h"
#include "installer/setup/english.h"
#include "installer/setup/file_copy.h"
#include "installer/setup/language.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_log.h"
#include "installer/setup/uninstall_script.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using Lines = std::vector<std::string>;

const std::string kMachine = "HKEY_LOCAL_MACHINE\\";
const std::string kCurrentVersion = kMachine + "Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kEntry = kCurrentVersion + "UnInstall\\Kestrovane";
const std::string kSizeRecord = kCurrentVersion + "App Management\\ARPCache\\Kestrovane";

// The program and its company, the folders of a script without groups.
const std::string kProgram = "SET_PROG_NAME(Kestrovane)\nSET_PROG_VERSION(2.1)\n"
                             "SET_COMPANY_NAME(Welmox)\n"
                             "SET_PROG_EXE_NAME(<Application Folder>kv.exe)\n";

// The flags of a log and an uninstall script.
const std::string kBothFiles = "SET_CREATE_SETUP_LOG\nSET_CREATE_UNINSTALL\n";

class FakeWizard : public CopyWizard {
public:
    std::string selection = "1";
    int aborts = 0;

    std::string SelectionString() override { return selection; }
    std::string ExpandFormVars(std::string_view text) override { return ExpandFolderVars(text); }
    void StepCopyBar() override {}
    void ShowCopyFile(const std::string&, const std::string&) override {}
    void SetRestartNeeded() override {}
    void SetCopyEntriesRunning(bool) override {}
    void AddToRegisterList(const std::string&) override {}
    void AbortSetup() override { ++aborts; }
    bool ExitQuestionOpen() override { return false; }
    bool ExitChosen() override { return false; }
};

class UninstallDataTest : public ::testing::Test {
protected:
    void SetUp() override { start("XP"); }
    void TearDown() override {
        writer_.reset();
        copier_.reset();
        EXPECT_EQ(ui_->finish(), "");
        reset();
    }
    static void reset() {
        resetForTests();
        machine::resetForTests();
        registry::resetForTests();
    }

    // A fresh machine of that release with drives C: and D:, setup in that folder, the
    // application folder C:\App (made), the built-in texts loaded.
    void start(const char* release, const std::string& setupFolder = "C:\\Setup") {
        writer_.reset();
        copier_.reset();
        reset();
        machine_.reset();
        machine::Profile profile = machine::testing::windowsProfile(release);
        profile.drives = {machine::Drive{'C', machine::kDriveFixed, "drives/C"},
                          machine::Drive{'D', machine::kDriveFixed, "drives/D"},
                          machine::Drive{'Z', machine::kDriveRemovable, "/"}};
        machine_.emplace(profile);
        ui_ = &ui::headless::install();
        machine::setProgram(fs::hostPath(setupFolder) / "setup.exe", {});
        AddEnglishResource();
        LoadBuiltInText();
        ASSERT_TRUE(fs::createFolders(setupFolder));
        ASSERT_TRUE(fs::createFolders("C:\\App"));
        SetTargetDir("C:\\App");
        setup_ = setupFolder;
    }
    // Loads the script (after the flags) and the writers.
    void load(const std::string& text, const std::string& flags = kBothFiles) {
        writer_.reset();
        copier_.reset();
        script_ = std::make_unique<TScript>();
        script_->LoadFromText(flags + text);
        log_ = std::make_unique<SetupLog>(*script_);
        uninstall_ = std::make_unique<UninstallScript>(*script_);
        wizard_ = FakeWizard{};
        copier_.emplace(*script_, *log_, *uninstall_, wizard_);
        writer_.emplace(*script_, *uninstall_, *copier_, wizard_);
    }
    // Files of the setup folder, each holding its name.
    void supply(std::initializer_list<const char*> names) {
        for (const char* name : names)
            ASSERT_TRUE(fs::writeFile(setup_ + "\\" + name, name)) << name;
    }
    static std::string content(const std::string& path) {
        return fs::readFile(path).value_or("<missing>");
    }
    bool hasLine(std::string_view line) const {
        const Lines& lines = uninstall_->Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool hasLineStarting(std::string_view start) const {
        const Lines& lines = uninstall_->Lines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.starts_with(start); });
    }

    std::optional<TempMachine> machine_;
    ui::headless::HeadlessBackend* ui_ = nullptr;
    std::string setup_;
    std::unique_ptr<TScript> script_;
    std::unique_ptr<SetupLog> log_;
    std::unique_ptr<UninstallScript> uninstall_;
    FakeWizard wizard_;
    std::optional<FileCopier> copier_;
    std::optional<UninstallDataWriter> writer_;
};

TEST_F(UninstallDataTest, HeadOfTheUninstallScript) {
    load(kProgram + "SET_COMPANY_URL(http://www.welmox.example)\n"
                    "SET_COMPOSER_BUILD(5.0.12)\nSET_PROG_STAMP(KV21)\n"
                    "SET_AUTO_UPDATE_EXE_FILE_NAME(AutoUpdate.exe)\n"
                    "SET_DIALOG_BITMAP_3D_FRAME\nSET_EXECUTION_DLL_NAME(ExecExt.dll)\n"
                    "SET_DELIVERY_FILES(|Deliver1.dat| Deliver2.dat ||)\n"
                    "SET_RUN_TIME_DIR_1(|1|kv.exe|)\n"
                    "SET_PERFORM_REGISTRY_OP(HKEY_CURRENT_USER\\Software\\Kv,Dir,"
                    "<Application Folder>,Create,Remove,String)\n"
                    "SET_PERFORM_INIFILE_OP(<Application Folder>kv.ini,Main,Dir,"
                    "<Application Folder>,Create,Remove)\n"
                    "SET_PERFORM_ENVIRONMENT_OP(KVHOME,<Application Folder>,Create,Remove)\n"
                    "SET_ADD_ASSOCIATION_ITEM(|KvFile|Snipe list|.kvs||<InstallDir>kv.exe %1|"
                    "||Create|Remove|)\n"
                    "SET_ADD_ASSOCIATION_ITEM(|KvOther|Other|.kvo||kv.exe|||Create|Remove|)\n"
                    "SET_OPEN_WITH\nSET_OPEN_WITH_NAME(Kestrovane)\n"
                    "SET_OPEN_WITH_MENU_TEXT(Open with Kestrovane)\n"
                    "SET_OPEN_WITH_EXTENSIONS(*.kvs; .txt);\n"
                    "SET_PERFORM_EXECUTE_OP(|start|Setup Start|)\n"
                    "SET_PERFORM_EXECUTE_OP(|before|Before Copy|)\n"
                    "SET_PERFORM_EXECUTE_OP(|after|After Copy|)\n"
                    "SET_PERFORM_EXECUTE_OP(|end|Setup End|)\n"
                    "SET_PERFORM_EXECUTE_OP(|ustart|UnInstall Start|)\n"
                    "SET_PERFORM_EXECUTE_OP(|uend|UnInstall End|)\n"
                    "SET_GROUP_DATA(Main|1200|1|1|1|Program|1)\n"
                    "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(kv.exe)\n"
                    "SET_GROUP_DATA(Shared|300|1|0|1|Shared files|1)\n"
                    "SET_SUB_DIR(<Common Folder>)\nSET_COPY_FILES(common.dll)\n"
                    "SET_GROUP_DATA(Extra|50|0|0|1|Extras|0)\n"
                    "SET_SUB_DIR(<Auxiliary Folder>Extra)\nSET_COPY_FILES(extra.txt)\n");
    SetCommonDir("C:\\Shared\\Welmox\\");
    SetAuxDir("D:\\Aux");
    supply({"UnInstall.exe", "ExecExt.dll", "Deliver1.dat", "Deliver2.dat"});
    uninstall_->AddUninstallLine("SetupType=Typical", false);
    uninstall_->AddUninstallLine("GroupNames=|Main|Shared|", false);

    writer_->WriteUninstallData(
        {"|KvFile|Snipe list|.kvs||<InstallDir>kv.exe %1|||Create|Remove|"});

    const Lines expected = {
        "SetupType=Typical",
        "GroupNames=|Main|Shared|",
        "Version=1.0",
        "ComposerVersion=5.0.12",
        "",
        "PROG_NAME=Kestrovane",
        "COMPANY_URL=http://www.welmox.example",
        "CHAR_SET=0",
        "GET_DIALOG_BITMAP_3D_FRAME=1",
        "GET_AUTO_UPDATE_EXE_FILE_NAME=AutoUpdate.exe",
        // The second unforced blank is left out: the file already holds one.
        "CONFIRM_CAPTION=Confirm",
        "CONFIRM_TEXT=Are you sure you want to uninstall the program",
        "BUTTON_CLOSE=Close",
        "S1=This program will remove PROG_NAME and all of its components from your computer.",
        "S2=UnInstall completed successfully !",
        "LABEL1=Shared program files...",
        "LABEL2=Standard program files...",
        "LABEL3=Folder items...",
        "LABEL4=Program folders...",
        "LABEL5=Program directories...",
        "LABEL6=Program registry entries...",
        "",
        "REMOVE_FILE(C:\\App\\UnInstall_KV21.txt);",
        "REMOVE_FILE(C:\\App\\Setup.log);",
        "REMOVE_DIR(C:\\Shared\\Welmox);",
        "REMOVE_DIR(D:\\Aux);",
        "RunTimeDir_1=|1|kv.exe|",
        "RunTimeDir_2=",
        "RunTimeDir_3=",
        "REMOVE_REG_KEY(" + kEntry + ");",
        "REMOVE_REG_KEY(" + kSizeRecord + ");",
        "REMOVE_SERVICE_FILE(C:\\App\\ExecExt.dll);",
        "REMOVE_SERVICE_FILE(C:\\App\\Deliver1.dat);",
        "REMOVE_SERVICE_FILE(C:\\App\\Deliver2.dat);",
        "",
        "SET_PERFORM_REGISTRY_OP(,HKEY_CURRENT_USER\\Software\\Kv,Dir,<Application Folder>,Create,"
        "Remove,String,);",
        "",
        "SET_PERFORM_INIFILE_OP(,C:\\App\\kv.ini,Main,Dir,<Application Folder>,Create,Remove,);",
        "",
        "SET_PERFORM_ENVIRONMENT_OP(,KVHOME,<Application Folder>,Create,Remove,);",
        "",
        "SET_ADD_ASSOCIATION_ITEM(|KvFile|Snipe list|.kvs||<InstallDir>kv.exe "
        "%1|||Create|Remove|);",
        "",
        "SET_ADD_OPEN_WITH_ITEM(|Kestrovane|*.kvs; .txt|);",
        "SET_EXECUTION_DLL_NAME(ExecExt.dll);",
        "SET_PERFORM_EXECUTE_OP(|start|Setup Start|);",
        "SET_PERFORM_EXECUTE_OP(|before|Before Copy|);",
        "SET_PERFORM_EXECUTE_OP(|after|After Copy|);",
        "SET_PERFORM_EXECUTE_OP(|end|Setup End|);",
        "SET_PERFORM_EXECUTE_OP(|ustart|UnInstall Start|);",
        "SET_PERFORM_EXECUTE_OP(|uend|UnInstall End|);",
        "",
    };
    EXPECT_EQ(uninstall_->Lines(), expected);
    EXPECT_EQ(content("C:\\App\\UnInstall_KV21.txt"), [&] {
        std::string text;
        for (const std::string& line : expected)
            text += line + "\r\n";
        return text;
    }());

    // The uninstaller is moved (no copy entry names it); the service files are copied.
    EXPECT_EQ(content("C:\\App\\UnInstall_KV21.exe"), "UnInstall.exe");
    EXPECT_FALSE(fs::exists("C:\\Setup\\UnInstall.exe"));
    for (const char* name : {"ExecExt.dll", "Deliver1.dat", "Deliver2.dat"}) {
        EXPECT_EQ(content(std::string("C:\\App\\") + name), name);
        EXPECT_TRUE(fs::exists(std::string("C:\\Setup\\") + name)) << name;
    }
    EXPECT_EQ(log_->Lines(), (Lines{"  Copy File: C:\\App\\UnInstall_KV21.exe ... OK",
                                    "  Copy File: C:\\App\\ExecExt.dll ... OK",
                                    "  Copy File: C:\\App\\Deliver1.dat ... OK",
                                    "  Copy File: C:\\App\\Deliver2.dat ... OK"}));
    EXPECT_EQ(wizard_.aborts, 0);
}

TEST_F(UninstallDataTest, AddRemoveProgramsEntryAndSizeRecord) {
    load(kProgram + "SET_GROUP_DATA(Main|1200|1|1|1|Program|1)\n"
                    "SET_GROUP_DATA(Help|300|1|0|1|Help|1)\n"
                    "SET_GROUP_DATA(Extra|50|0|0|1|Extras|0)\n");
    wizard_.selection = "101";
    supply({"UnInstall.exe"});
    writer_->WriteUninstallData({});

    EXPECT_EQ(RegReadValue(kEntry, "DisplayName", ""), "Kestrovane");
    EXPECT_EQ(RegReadValue(kEntry, "UnInstallString", ""), "C:\\App\\UnInstall.exe");
    EXPECT_EQ(RegReadValue(kEntry, "DisplayVersion", ""), "2.1");
    EXPECT_EQ(RegReadValue(kEntry, "Publisher", ""), "Welmox");

    const RegPath p = SplitRegPath(kSizeRecord);
    registry::Key k;
    ASSERT_EQ(registry::openKey(p.root, p.subKey, k), registry::Status::Success);
    registry::Value v;
    ASSERT_EQ(registry::queryValue(k, "SlowInfoCache", v), registry::Status::Success);
    ASSERT_EQ(v.data.size(), 552u);
    const auto readLe = [&](std::size_t at, int width) {
        std::uint64_t value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(v.data[at + i]);
        return value;
    };
    EXPECT_EQ(readLe(8, 8), 1250u * 1024); // the first and third group
    const std::string exe = "C:\\App\\kv.exe";
    for (std::size_t i = 0; i <= exe.size(); ++i)
        EXPECT_EQ(readLe(28 + 2 * i, 2), i < exe.size() ? static_cast<unsigned char>(exe[i]) : 0u);
    EXPECT_EQ(content("C:\\App\\UnInstall.exe"), "UnInstall.exe");
}

TEST_F(UninstallDataTest, UninstallerMovedOnlyOnTheTargetsDriveOfAnNtMachine) {
    const struct {
        const char* release;
        const char* setupFolder;
        const char* extra;
        bool moved;
    } cases[] = {
        {"XP", "C:\\Setup", "", true},  {"2000", "C:\\Setup", "", true},
        {"XP", "D:\\Setup", "", false}, {"XP", "C:\\Setup", "SET_USE_COPY\n", false},
        {"98", "C:\\Setup", "", false},
    };
    for (const auto& c : cases) {
        start(c.release, c.setupFolder);
        load(kProgram + c.extra);
        supply({"UnInstall.exe"});
        writer_->WriteUninstallData({});
        const std::string name = std::string(c.release) + " " + c.setupFolder + " " + c.extra;
        EXPECT_EQ(content("C:\\App\\UnInstall.exe"), "UnInstall.exe") << name;
        EXPECT_EQ(fs::exists(std::string(c.setupFolder) + "\\UnInstall.exe"), !c.moved) << name;
        EXPECT_FALSE(hasLine("REMOVE_FILE(C:\\App\\UnInstall.exe);")) << name;
    }
}

TEST_F(UninstallDataTest, MissingUninstallerIsReportedAndTheRestStillRuns) {
    load(kProgram + "SET_EXECUTION_DLL_NAME(ExecExt.dll)\nSET_DELIVERY_FILES(|Deliver1.dat|)\n");
    supply({"ExecExt.dll", "Deliver1.dat"});
    ui_->expectBox(ui::headless::ExpectedBox{
        .caption = "Error",
        .plainText =
            "C:\\Setup\\UnInstall.exe\nFile not found!\nCorrect the problem and run Setup once "
            "again!"});
    writer_->WriteUninstallData({});
    EXPECT_EQ(wizard_.aborts, 1);
    EXPECT_EQ(log_->Lines().front(), "  Copy File: C:\\App\\UnInstall.exe ... File not Found!");
    EXPECT_FALSE(fs::exists("C:\\App\\UnInstall.exe"));
    EXPECT_EQ(content("C:\\App\\ExecExt.dll"), "ExecExt.dll");
    EXPECT_EQ(content("C:\\App\\Deliver1.dat"), "Deliver1.dat");
    EXPECT_TRUE(hasLine("SET_EXECUTION_DLL_NAME(ExecExt.dll);"));
    EXPECT_EQ(uninstall_->Lines().back(), "");
}

TEST_F(UninstallDataTest, WhatTheScriptLeavesOut) {
    const struct {
        const char* name;
        std::string flags;
        std::string script;
        Lines present;
        Lines absent; // line starts
        Lines copied; // file names in C:\App
        Lines notCopied;
    } cases[] = {
        {"no open-with, no library",
         kBothFiles,
         kProgram + "SET_OPEN_WITH_NAME(Kestrovane)\nSET_OPEN_WITH_EXTENSIONS(.kvs)\n",
         {"REMOVE_REG_KEY(" + kEntry + ");"},
         {"SET_ADD_OPEN_WITH_ITEM(", "SET_EXECUTION_DLL_NAME(", "REMOVE_SERVICE_FILE("},
         {"UnInstall.exe"},
         {"ExecExt.dll"}},
        {"no uninstall script",
         "SET_CREATE_SETUP_LOG\n",
         kProgram + "SET_EXECUTION_DLL_NAME(ExecExt.dll)\nSET_DELIVERY_FILES(|Deliver1.dat|)\n",
         {},
         {"Version=1.0"},
         {"ExecExt.dll", "Deliver1.dat"},
         {"UnInstall.exe"}},
        {"delivery list without a leading bar",
         kBothFiles,
         kProgram + "SET_DELIVERY_FILES(Deliver1.dat|)\n",
         {},
         {"REMOVE_SERVICE_FILE("},
         {},
         {"Deliver1.dat"}},
        {"delivery list of a bar",
         kBothFiles,
         kProgram + "SET_DELIVERY_FILES(|)\n",
         {},
         {"REMOVE_SERVICE_FILE("},
         {},
         {}},
        {"no log, no common or auxiliary folder, no program name",
         "SET_CREATE_UNINSTALL\n",
         "SET_PROG_EXE_NAME(kv.exe)\nSET_GROUP_DATA(Main|10|1|1|1|Program|1)\n"
         "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(kv.exe)\n",
         {"REMOVE_FILE(C:\\App\\UnInstall.txt);"},
         {"REMOVE_FILE(C:\\App\\Setup.log", "REMOVE_DIR(", "REMOVE_REG_KEY("},
         {},
         {"UnInstall.exe"}},
    };
    for (const auto& c : cases) {
        start("XP");
        load(c.script, c.flags);
        supply({"UnInstall.exe", "ExecExt.dll", "Deliver1.dat"});
        writer_->WriteUninstallData({});
        for (const std::string& line : c.present)
            EXPECT_TRUE(hasLine(line)) << c.name << ": " << line;
        for (const std::string& start : c.absent)
            EXPECT_FALSE(hasLineStarting(start)) << c.name << ": " << start;
        for (const std::string& file : c.copied)
            EXPECT_TRUE(fs::exists("C:\\App\\" + file)) << c.name << ": " << file;
        for (const std::string& file : c.notCopied)
            EXPECT_FALSE(fs::exists("C:\\App\\" + file)) << c.name << ": " << file;
        if (!script_->Flag(ScriptFlag::CreateUninstall)) {
            EXPECT_TRUE(uninstall_->Lines().empty()) << c.name;
            EXPECT_FALSE(RegKeyExists(kEntry)) << c.name;
            EXPECT_FALSE(RegKeyExists(kSizeRecord)) << c.name;
        }
        EXPECT_EQ(wizard_.aborts, 0) << c.name;
    }
}

TEST_F(UninstallDataTest, ProgramKeyAppPathsInfoFileAndAutoUpdate) {
    load(kProgram + "SET_REGISTER_AS_APPLICATION\nSET_ORIGINAL_INFO_FILE_NAME(kv.info)\n"
                    "SET_AUTO_UPDATE_EXE_FILE_NAME(AutoUpdate.exe)\n");
    SetCommonDir("C:\\Shared\\");
    supply({"AutoUpdate.exe"});
    ASSERT_TRUE(fs::writeFile("C:\\Setup\\kv.info", "[Update]\r\nServer=update.example\r\n"));
    writer_->WriteOriginalInfo();

    EXPECT_EQ(uninstall_->Lines(),
              (Lines{"REMOVE_REG_KEY(" + kMachine + "Software\\Welmox\\Kestrovane);",
                     "REMOVE_REG_KEY(" + kCurrentVersion + "App Paths\\kv.exe);",
                     "REMOVE_FILE(C:\\App\\kv.info);", "REMOVE_FILE(C:\\App\\AutoUpdate.exe);"}));
    EXPECT_TRUE(RegKeyExists(kMachine + "Software\\Welmox\\Kestrovane\\2.1"));
    EXPECT_EQ(RegReadValue(kCurrentVersion + "App Paths\\kv.exe", "", ""), "C:\\App\\kv.exe");

    const std::string info = "C:\\App\\kv.info";
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } values[] = {
        {"Update", "Server", "update.example"}, // the installed file is written into
        {"Directories", "TargetDir", "C:\\App"},
        {"Directories", "SharedDir", "C:\\Shared"},
        {"Directories", "AuxiliaryDir", ""},
        {"UnInstall", "Txt", "C:\\App\\UnInstall.txt"},
        {"UnInstall", "Exe", "C:\\App\\UnInstall.exe"},
        {"UnInstall", "StartUpLink", "C:\\Startup\\kv.lnk"},
    };
    writer_->WriteInfoValue("UnInstall", "StartUpLink", "C:\\Startup\\kv.lnk");
    for (const auto& v : values)
        EXPECT_EQ(IniReadString(info, v.section, v.key, "<none>"), v.value) << v.key;
    // Installed once, moved out of the setup folder, as the auto-update program.
    EXPECT_EQ(std::count(log_->Lines().begin(), log_->Lines().end(),
                         "  Copy File: C:\\App\\kv.info ... OK"),
              1);
    EXPECT_FALSE(fs::exists("C:\\Setup\\kv.info"));
    EXPECT_EQ(content("C:\\App\\AutoUpdate.exe"), "AutoUpdate.exe");
    EXPECT_FALSE(fs::exists("C:\\Setup\\AutoUpdate.exe"));
}

TEST_F(UninstallDataTest, WhatTheOriginalInfoLeavesOut) {
    const std::string appPaths = kCurrentVersion + "App Paths\\kv.exe";
    const struct {
        const char* name;
        std::string script;
        Lines lines;
    } cases[] = {
        {"not registered, info file and auto-update missing",
         kProgram + "SET_ORIGINAL_INFO_FILE_NAME(kv.info)\n"
                    "SET_AUTO_UPDATE_EXE_FILE_NAME(AutoUpdate.exe)\n",
         {}},
        {"no company",
         "SET_REGISTER_AS_APPLICATION\nSET_PROG_NAME(Kestrovane)\n"
         "SET_PROG_EXE_NAME(<Application Folder>kv.exe)\n",
         {"REMOVE_REG_KEY(" + appPaths + ");"}},
        {"no program name, a folder for the program file",
         "SET_REGISTER_AS_APPLICATION\nSET_COMPANY_NAME(Welmox)\n"
         "SET_PROG_EXE_NAME(<Application Folder>)\n",
         {}},
        {"no program file", "SET_REGISTER_AS_APPLICATION\nSET_COMPANY_NAME(Welmox)\n", {}},
    };
    for (const auto& c : cases) {
        start("XP");
        load(c.script);
        writer_->WriteOriginalInfo();
        writer_->WriteInfoValue("UnInstall", "StartUpLink", "C:\\Startup\\kv.lnk");
        EXPECT_EQ(uninstall_->Lines(), c.lines) << c.name;
        EXPECT_FALSE(RegKeyExists(kMachine + "Software\\Welmox")) << c.name;
        EXPECT_EQ(RegKeyExists(appPaths), !c.lines.empty()) << c.name;
        EXPECT_FALSE(fs::exists("C:\\App\\kv.info")) << c.name;
        EXPECT_TRUE(log_->Lines().empty()) << c.name;
    }
}

} // namespace
} // namespace kv::installer
