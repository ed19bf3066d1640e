// The install sequence after the copy, in this process on the headless backend: the
// registry, INI, environment, file-type and open-with operations and the shortcuts, with
// their log lines, their removal lines and what they leave on the machine.

#include "installer/setup/wizard_form.h"

#include "installer/common/association_ops.h"
#include "installer/common/internal/machine_files.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/english.h"
#include "installer/setup/language.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "platform/desktop/atoms.h"
#include "platform/fs/files.h"
#include "platform/pe/testing/pe_fixtures.h"
#include "platform/registry/registry.h"
#include "platform/system/known_folders.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kv::installer {
namespace {

using Lines = std::vector<std::string>;
using machine::KnownFolder;
using machine::knownFolderPath;

constexpr const char* kHead =
    "SET_SILENT_SETUP\nSET_CREATE_SETUP_LOG\nSET_CREATE_UNINSTALL\nSET_TARGET_DIR(C:\\App)\n"
    "SET_DIALOGS(CopyFilesDlg)\nSET_PROG_NAME(Kestrovane)\n"
    "SET_PROG_EXE_NAME(<Application Folder>kv.exe)\n";

class InstallOpsTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (ui_) {
            EXPECT_EQ(ui_->finish(), "");
        }
        resetForTests();
        ui::resetForTests();
        registry::resetForTests();
    }
    // A machine of the profile with the program already in C:\App, and the wizard run
    // silently through the install sequence.
    TSDialogForm& install(const std::string& text,
                          const machine::Profile& profile = machine::defaultProfile()) {
        makeMachine(profile);
        return run(text);
    }
    void makeMachine(const machine::Profile& profile = machine::defaultProfile()) {
        if (ui_) {
            EXPECT_EQ(ui_->finish(), "");
        }
        resetForTests();
        ui::resetForTests();
        registry::resetForTests();
        machine_.reset();
        machine_.emplace(profile);
        ui_ = &ui::headless::install();
        machine::setProgram(machine_->hostFolder('C') / "Setup" / "setup.exe", {});
        std::filesystem::create_directories(machine_->hostFolder('C') / "App");
        std::ofstream(machine_->hostFolder('C') / "App" / "kv.exe") << "MZ";
        std::filesystem::create_directories(machine_->hostFolder('C') / "Setup");
        std::ofstream(machine_->hostFolder('C') / "Setup" / "UnInstall.exe") << "MZ";
        AddEnglishResource();
        LoadBuiltInText();
    }
    TSDialogForm& run(const std::string& text) {
        script_.LoadFromText(kHead + text);
        auto& w =
            static_cast<TSDialogForm&>(ui::app().load(std::make_unique<TSDialogForm>(script_)));
        ui::app().setMainForm(&w);
        w.PrepareAndRunSetupStart();
        w.show();
        ui::app().run();
        EXPECT_TRUE(w.Closed());
        return w;
    }
    // The log lines of the operations: after "Execute After Copy", up to the close.
    static Lines opLines(TSDialogForm& w) {
        const Lines& all = w.Log().Lines();
        Lines lines;
        bool in = false;
        for (const std::string& line : all) {
            if (line.rfind("Entering: FormCloseQuery", 0) == 0) break;
            if (in) lines.push_back(line);
            if (line == "Execute After Copy") in = true;
        }
        return lines;
    }
    // The uninstall lines that remove something below the shell folders.
    // What lnkinfo prints for the link file.
    static std::string lnkinfo(const std::string& path) {
        return pe::testing::runCommand("lnkinfo '" + internal::hostPathOf(path).string() + "'")
            .second;
    }
    static Lines linkRemovals(TSDialogForm& w) {
        const std::string roots[] = {
            knownFolderPath(KnownFolder::Programs), knownFolderPath(KnownFolder::CommonPrograms),
            knownFolderPath(KnownFolder::Desktop),  knownFolderPath(KnownFolder::StartMenu),
            knownFolderPath(KnownFolder::SendTo),   knownFolderPath(KnownFolder::Startup)};
        Lines lines;
        for (const std::string& line : w.Uninstall().Lines())
            for (const std::string& root : roots)
                if (!root.empty() && line.find("(" + root) != std::string::npos) {
                    lines.push_back(line);
                    break;
                }
        return lines;
    }

    std::optional<machine::testing::TempMachine> machine_;
    ui::headless::HeadlessBackend* ui_ = nullptr;
    TScript script_;
};

TEST_F(InstallOpsTest, OneRecordOfEachKindRunsAndIsLogged) {
    TSDialogForm& w = install(
        "SET_PERFORM_REGISTRY_OP(HKEY_CURRENT_USER\\Software\\Kv,Data,<Application "
        "Folder>data,Create,Remove,String)\n"
        "SET_PERFORM_REGISTRY_OP(HKEY_CURRENT_USER\\Software\\Kv\\Bin,,,Create,Remove,Binary)\n"
        "SET_PERFORM_INIFILE_OP(<Application Folder>kv.ini,Main,Folder,<Application "
        "Folder>,Create,Remove)\n"
        "SET_PERFORM_ENVIRONMENT_OP(KV_HOME,<Application Folder>bin,Create,Remove)\n"
        "SET_ADD_ASSOCIATION_ITEM(|Kv.Snipe|Snipe list|.kvs||<Application "
        "Folder>kv.exe|||Create|Remove|)\n"
        "SET_OPEN_WITH\nSET_OPEN_WITH_NAME(KvOpen)\nSET_OPEN_WITH_MENU_TEXT(Open with Kv)\n"
        "SET_OPEN_WITH_EXTENSIONS(*.kvs)\n");
    EXPECT_EQ(opLines(w),
              (Lines{"RegistryOp: Create  HKEY_CURRENT_USER\\Software\\Kv\\Data=<Application "
                     "Folder>data",
                     "RegistryOp: Create  HKEY_CURRENT_USER\\Software\\Kv\\Bin",
                     "IniFileOp: Create  C:\\App\\kv.ini  [Main] Folder=<Application Folder>",
                     "EnvironmentOp: KV_HOME=C:\\App\\bin", "Associate: Kv.Snipe",
                     "OpenWith: Open with Kv", "Create Start/Program Link(s):"}));

    bool isDword = false;
    EXPECT_EQ(RegReadString("HKEY_CURRENT_USER\\Software\\Kv", "Data", isDword), "C:\\App\\data");
    // A type neither "String" nor "Integer": the key, and no value.
    EXPECT_TRUE(RegKeyExists("HKEY_CURRENT_USER\\Software\\Kv\\Bin"));
    EXPECT_EQ(RegReadString("HKEY_CURRENT_USER\\Software\\Kv\\Bin", "", isDword), "");
    const auto ini = fs::readFile("C:\\App\\kv.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_NE(ini->find("Folder=<Application Folder>"), std::string::npos) << *ini;
    EXPECT_EQ(RegReadString("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
                            "Manager\\Environment",
                            "KV_HOME", isDword),
              "C:\\App\\bin");
    EXPECT_EQ(RegReadString("HKEY_CLASSES_ROOT\\Kv.Snipe\\shell\\open\\command", "", isDword),
              "\"C:\\App\\kv.exe\" \"%1\"");
    EXPECT_EQ(RegReadString("HKEY_CLASSES_ROOT\\Kv.Snipe\\Shell\\KvOpen\\command", "", isDword),
              "C:\\App\\kv.exe \"%1\"");
    EXPECT_FALSE(AssocChangedPending()); // told once
    // The records as the script wrote them, for the uninstaller to undo.
    const Lines& uninstall = w.Uninstall().Lines();
    const auto from = std::find(uninstall.begin(), uninstall.end(), "");
    const auto records = std::find_if(
        from, uninstall.end(), [](const std::string& line) { return line.rfind("SET_", 0) == 0; });
    const auto to = std::find(records, uninstall.end(), "TargetDir=C:\\App");
    EXPECT_EQ(
        Lines(records, to),
        (Lines{"SET_PERFORM_REGISTRY_OP(,HKEY_CURRENT_USER\\Software\\Kv,Data,<Application "
               "Folder>data,Create,Remove,String,);",
               "SET_PERFORM_REGISTRY_OP(,HKEY_CURRENT_USER\\Software\\Kv\\Bin,,,Create,Remove,"
               "Binary,);",
               "",
               "SET_PERFORM_INIFILE_OP(,C:\\App\\kv.ini,Main,Folder,<Application "
               "Folder>,Create,Remove,);",
               "", "SET_PERFORM_ENVIRONMENT_OP(,KV_HOME,<Application Folder>bin,Create,Remove,);",
               "",
               "SET_ADD_ASSOCIATION_ITEM(|Kv.Snipe|Snipe list|.kvs||<Application "
               "Folder>kv.exe|||Create|Remove|);",
               "", "SET_ADD_OPEN_WITH_ITEM(|KvOpen|*.kvs|);", ""}));
}

TEST_F(InstallOpsTest, ProgramMenuLinksAndTheirRemovalLines) {
    TSDialogForm& w = install(
        "SET_START_PROGRAM_LINK_FOLDER(Kestrovane)\nSET_START_PROGRAM_LINK_NAME(Kestrovane)\n"
        "SET_START_PROGRAM_LINK_RUN(Maximized)\n"
        "SET_START_PROGRAM_LINK_ITEM(Tool A,<Application Folder>kv.exe,\\Tools,/a,,Minimized)\n"
        "SET_START_PROGRAM_LINK_ITEM(Tool B,<Application Folder>kv.exe,Tools)\n"
        "SET_START_PROGRAM_LINK_ITEM(Deep,<Application Folder>kv.exe,Tools\\Sub)\n"
        "SET_START_PROGRAM_LINK_ITEM(Home Page,www.example.com,kestrovane)\n"
        "SET_START_PROGRAM_LINK_ITEM(Forum,www.example.com,Web\\Pages)\n"
        "SET_START_PROGRAM_LINK_ITEM(Read Me,<Application Folder>kv.exe)\n"
        "SET_START_PROGRAM_LINK_ITEM(Gone,<Application Folder>gone.exe,Tools)\n"
        "SET_START_PROGRAM_LINK_ITEM(,<Application Folder>kv.exe,Tools)\n");
    const std::string programs = knownFolderPath(KnownFolder::Programs);
    EXPECT_EQ(opLines(w),
              (Lines{"Create Start/Program Link(s):", "  Kestrovane\\Kestrovane  (C:\\App\\kv.exe)",
                     "  Tools\\Tool A  (C:\\App\\kv.exe)",
                     "  Kestrovane\\Tools\\Tool B  (C:\\App\\kv.exe)",
                     "  Kestrovane\\Tools\\Sub\\Deep  (C:\\App\\kv.exe)",
                     "  Kestrovane\\Home Page  (www.example.com)",
                     "  Kestrovane\\Web\\Pages\\Forum  (www.example.com)",
                     "  Kestrovane\\Read Me  (C:\\App\\kv.exe)"}));
    const std::string menu = programs + "\\Kestrovane";
    EXPECT_EQ(
        linkRemovals(w),
        (Lines{"REMOVE_FILE(" + menu + "\\Kestrovane.lnk);", "REMOVE_FOLDER(" + menu + ");",
               "FORCE_REMOVE_FOLDER(" + programs + "\\Tools);",
               "FORCE_REMOVE_FOLDER(" + menu + "\\Tools);",
               "FORCE_REMOVE_FOLDER(" + menu + "\\Tools\\Sub);",
               "REMOVE_FOLDER(" + menu + "\\Tools);", "REMOVE_FILE(" + menu + "\\Home Page.url);",
               // An Internet shortcut in a folder of its own: its folders go once empty.
               "REMOVE_FILE(" + menu + "\\Web\\Pages\\Forum.url);",
               "REMOVE_FOLDER(" + menu + "\\Web\\Pages);", "REMOVE_FOLDER(" + menu + "\\Web);",
               "REMOVE_FILE(" + menu + "\\Read Me.lnk);"}));
    EXPECT_TRUE(fs::exists(programs + "\\Tools\\Tool A.lnk"));
    EXPECT_TRUE(fs::exists(menu + "\\Tools\\Tool B.lnk"));
    EXPECT_TRUE(fs::exists(menu + "\\Home Page.url"));
    EXPECT_FALSE(fs::exists(menu + "\\Tools\\Gone.lnk"));

    // The links read back as the shell reads them.
    const std::string toolA = lnkinfo(programs + "\\Tools\\Tool A.lnk");
    EXPECT_NE(toolA.find("C:\\App\\kv.exe"), std::string::npos) << toolA;
    EXPECT_NE(toolA.find("/a"), std::string::npos) << toolA;
}

// A nested folder written with "/" is removed level by level as one written with "\": the
// upper levels go once they are empty.
TEST_F(InstallOpsTest, NestedLinkFoldersWithSlashesKeepTheirLevelRemovals) {
    for (const char* folder : {"Tools\\Sub\\Deep", "Tools/Sub/Deep", "Tools\\Sub/Deep"}) {
        SCOPED_TRACE(folder);
        TSDialogForm& w = install("SET_START_PROGRAM_LINK_FOLDER(Kestrovane)\n"
                                  "SET_START_PROGRAM_LINK_ITEM(Tool,<Application Folder>kv.exe," +
                                  std::string(folder) + ")\n");
        const std::string menu = knownFolderPath(KnownFolder::Programs) + "\\Kestrovane";
        const Lines lines = linkRemovals(w);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "FORCE_REMOVE_FOLDER(" + menu + "\\" + folder + ");");
        EXPECT_EQ(Lines(lines.begin() + 1, lines.end()),
                  (Lines{"REMOVE_FOLDER(" + menu + "\\Tools\\Sub);",
                         "REMOVE_FOLDER(" + menu + "\\Tools);"}));
        EXPECT_TRUE(fs::exists(menu + "\\Tools\\Sub\\Deep\\Tool.lnk"));
    }
}

// A folder that climbs with ".." to the Programs folder or above it gets no forced removal,
// whether the menu folder or the item's folder climbs; one that stays below keeps it.
TEST_F(InstallOpsTest, ForcedRemovalOnlyForLinkFoldersBelowThePrograms) {
    struct Case {
        const char* menu;
        const char* folder;
        const char* forced; // below the Programs folder; "" for no forced line
    };
    const Case cases[] = {
        {"Kestrovane", "..\\..\\..\\..", ""},
        {"..\\..\\..\\..", "Tools", ""},
        {"Kestrovane", "\\..\\Tools", ""},
        {"Kestrovane", "\\Tools\\..", ""},
        {"Kestrovane", "Tools/../..", ""},
        {"Kestrovane", "Tools\\..\\Other", "Kestrovane\\Tools\\..\\Other"},
        {"Kestrovane", "\\Tools\\.", "Tools\\."},
    };
    const std::string programs = knownFolderPath(KnownFolder::Programs);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.menu) + " + " + c.folder);
        TSDialogForm& w = install(
            "SET_START_PROGRAM_LINK_FOLDER(" + std::string(c.menu) +
            ")\nSET_START_PROGRAM_LINK_ITEM(Tool,<Application Folder>kv.exe," + c.folder + ")\n");
        Lines forced;
        for (const std::string& line : w.Uninstall().Lines())
            if (line.rfind("FORCE_REMOVE_FOLDER(", 0) == 0) forced.push_back(line);
        EXPECT_EQ(forced, *c.forced
                              ? Lines{"FORCE_REMOVE_FOLDER(" + programs + "\\" + c.forced + ");"}
                              : Lines{});
    }
}

TEST_F(InstallOpsTest, AllUsersOnlyForAnAdministratorOnNt) {
    struct Case {
        const char* name;
        machine::Profile profile;
        KnownFolder programs;
    };
    machine::Profile user = machine::defaultProfile();
    user.isAdmin = false;
    const Case cases[] = {
        {"XP administrator", machine::defaultProfile(), KnownFolder::CommonPrograms},
        {"XP user", user, KnownFolder::Programs},
        {"98", machine::testing::windowsProfile("98"), KnownFolder::Programs},
    };
    for (const Case& c : cases) {
        TSDialogForm& w =
            install("SET_ALL_USERS\nSET_START_PROGRAM_LINK_NAME(Kestrovane)\n", c.profile);
        const std::string link = knownFolderPath(c.programs) + "\\Kestrovane.lnk";
        EXPECT_TRUE(fs::exists(link)) << c.name;
        EXPECT_EQ(linkRemovals(w), Lines{"REMOVE_FILE(" + link + ");"}) << c.name;
    }
}

TEST_F(InstallOpsTest, ExtraLinksAndTheAutoUpdateLinkAtStartUp) {
    makeMachine();
    std::ofstream(machine_->hostFolder('C') / "App" / "update.exe") << "MZ";
    std::ofstream(machine_->hostFolder('C') / "Setup" / "kv.info") << "[UnInstall]\r\n";
    // No SendTo folder known.
    RegDeleteValueAt(
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
        "Folders",
        "SendTo");
    TSDialogForm& w =
        run("SET_ORIGINAL_INFO_FILE_NAME(kv.info)\nSET_START_PROGRAM_LINK_FOLDER(Kestrovane)\n"
            "SET_START_PROGRAM_LINK_ITEM(Check for New Update,<Application Folder>update.exe)\n"
            "SET_START_MENU_LINK_NAME(^Kv Menu)\nSET_DESKTOP_LINK_NAME(^Kv Desk)\n"
            "SET_SENDTO_LINK_NAME(^Kv Send)\nSET_STARTUP_LINK_NAME(^Kv Start)\n"
            "SET_RUN_AUTO_UPDATE_AT_STARTUP\nSET_AUTO_UPDATE_EXE_FILE_NAME(update.exe)\n");
    const std::string startup = knownFolderPath(KnownFolder::Startup);
    const std::string check =
        knownFolderPath(KnownFolder::Programs) + "\\Kestrovane\\Check for New Update.lnk";
    EXPECT_EQ(opLines(w), (Lines{"Create Start/Program Link(s):",
                                 "  Kestrovane\\Check for New Update  (C:\\App\\update.exe)",
                                 "Create Start Menu Link:", "  Kv Menu  (C:\\App\\kv.exe)",
                                 "Create Desktop Link:", "  Kv Desk  (C:\\App\\kv.exe)",
                                 "Create SendTo Link:", "  Kv Send  (C:\\App\\kv.exe) ... FAILED",
                                 "Create StartUp Link:", "  Kv Start  (C:\\App\\kv.exe) ... OK",
                                 "Create AutoUpdate link at StartUp:",
                                 "  Kestrovane - Auto Update  (C:\\App\\update.exe)"}));
    EXPECT_EQ(linkRemovals(w),
              (Lines{"REMOVE_FILE(" + check + ");",
                     // Its menu folder, which no other link names, goes once empty.
                     "REMOVE_FOLDER(" + knownFolderPath(KnownFolder::Programs) + "\\Kestrovane);",
                     "REMOVE_FILE(" + knownFolderPath(KnownFolder::StartMenu) + "\\Kv Menu.lnk);",
                     "REMOVE_FILE(" + knownFolderPath(KnownFolder::Desktop) + "\\Kv Desk.lnk);",
                     "REMOVE_FILE(" + startup + "\\Kv Start.lnk);",
                     "REMOVE_FILE(" + startup + "\\Kestrovane - Auto Update.lnk);"}));
    EXPECT_EQ(setupState().secondProgram, "C:\\App\\update.exe");
    const std::string update = lnkinfo(startup + "\\Kestrovane - Auto Update.lnk");
    EXPECT_NE(update.find("C:\\App\\update.exe"), std::string::npos) << update;
    // Both links named in the info file for the auto-update program.
    const auto info = fs::readFile("C:\\App\\kv.info");
    ASSERT_TRUE(info.has_value());
    EXPECT_NE(info->find("CheckforNewUpdateLink=" + check), std::string::npos) << *info;
    EXPECT_NE(info->find("StartUpLink=" + startup + "\\Kestrovane - Auto Update.lnk"),
              std::string::npos)
        << *info;
}

// An Exit of the stage before or after the copy ends the sequence there: no operations, and
// the background update's atom stays; the sequence that runs to its end drops the atom.
TEST_F(InstallOpsTest, StageExitsEndTheSequenceAndOnlyItsEndDropsTheUpdateAtom) {
    constexpr const char* kAtom = "AutoUpdateAtomTokenByWelmox";
    struct Case {
        const char* exitStage; // none: no Exit
        bool copied;
        bool operations;
    } cases[] = {{"Before Copy", false, false}, {"After Copy", true, false}, {nullptr, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exitStage ? c.exitStage : "no exit");
        makeMachine();
        std::ofstream(machine_->hostFolder('C') / "Setup" / "data.txt") << "data";
        ASSERT_NE(desktop::globalAddAtom(kAtom), 0);
        std::string text =
            "SET_GROUP_DATA(Main|1|1|1|1|Main files|1)\n"
            "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(data.txt)\n"
            "SET_PERFORM_ENVIRONMENT_OP(KV_HOME,<Application Folder>,Create,Remove)\n";
        if (c.exitStage)
            text += "SET_PERFORM_EXECUTE_OP(" +
                    testing::execRecord(
                        {{1, "quit"}, {2, c.exitStage}, {4, "1"}, {19, "1"}, {20, "Exit"}}) +
                    ")\n";
        TSDialogForm& w = run(text);
        EXPECT_EQ(fs::exists("C:\\App\\data.txt"), c.copied);
        const Lines& log = w.Log().Lines();
        EXPECT_EQ(std::find(log.begin(), log.end(), "EnvironmentOp: KV_HOME=C:\\App\\") !=
                      log.end(),
                  c.operations);
        EXPECT_EQ(desktop::globalFindAtom(kAtom) == 0, c.operations);
    }
}

#ifdef KV_TEST_COM_SERVER
TEST_F(InstallOpsTest, FlaggedLibrariesAreRegisteredAfterTheCopy) {
    struct Case {
        const char* file;
        bool registered; // a program of the same content is not loaded
    };
    for (const Case c : {Case{"server.dll", true}, Case{"tool.exe", false}}) {
        makeMachine();
        const std::filesystem::path setup = machine_->hostFolder('C') / "Setup";
        std::filesystem::copy_file(KV_TEST_COM_SERVER, setup / c.file);
        TSDialogForm& w = run(std::string("SET_GROUP_DATA(Main|1|1|1|1|Main files|1)\n"
                                          "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(2*") +
                              c.file + ")\n");
        EXPECT_EQ(w.RegisterList(), Lines{std::string("C:\\App\\") + c.file});
        EXPECT_EQ(std::filesystem::exists(machine::current().folder() / "com-server-registered"),
                  c.registered)
            << c.file;
    }
}
#endif

} // namespace
} // namespace kv::installer
