// A silent setup of a whole package run through the machine: the files it installs with
// their attributes, the Add/Remove Programs entry, the size record, the shared-file count
// and the user key, and Setup.log and the uninstall script line by line.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/attributes.h"
#include "platform/fs/file.h"
#include "platform/fs/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace kv::e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kApp = "C:\\Program Files\\Demo";

// Two groups: the program with a kept and a forced sub folder, a shared, a read-only and a
// numbered-prefix file; the data group under a plain sub folder.
const char* kScript = "SET_PROG_NAME(Demo)\n"
                      "SET_PROG_VERSION(1.0)\n"
                      "SET_COMPANY_NAME(Welmox)\n"
                      "SET_PROG_EXE_NAME(<Application Folder>demo.exe)\n"
                      "SET_CREATE_SETUP_LOG\n"
                      "SET_CREATE_UNINSTALL\n"
                      "SET_SILENT_SETUP\n"
                      "SET_TARGET_DIR(<ProgramFilesDir>\\Demo)\n"
                      "SET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)\n"
                      "SET_GROUP_DATA(Program|10|1|1|4|Program files|1)\n"
                      "SET_SUB_DIR(<Application Folder>)\n"
                      "SET_COPY_FILES(demo.exe|*shared.dll|256*readme.txt|00001#help.txt)\n"
                      "SET_SUB_DIR(#<Application Folder>Keep)\n"
                      "SET_COPY_FILES(keep.ini)\n"
                      "SET_SUB_DIR(*<Application Folder>Cache)\n"
                      "SET_COPY_FILES(cache.dat)\n"
                      "SET_GROUP_DATA(Data|5|1|0|1|Data files|1)\n"
                      "SET_SUB_DIR(<Application Folder>Data)\n"
                      "SET_COPY_FILES(data.dat)\n";

TEST(SilentInstall, PackageInstallsUnderProgramFiles) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText(kScript);
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "00001#help.txt", "keep.ini",
                             "cache.dat", "data.dat"})
        f.addPayload({.name = name, .bytes = name});
    const Snapshot before = takeSnapshot();
    const RunResult r = f.runSetup();
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.errors << r.boxes;
    EXPECT_EQ(r.boxes, "");
    const Lines changes = difference(before, takeSnapshot());
    for (const char* line :
         {"added file C:\\Program Files\\Demo\\readme.txt, 10 bytes, attributes R",
          "added file C:\\Program Files\\Demo\\help.txt, 14 bytes, attributes N",
          "added value "
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs "
          "\"C:\\\\Program Files\\\\Demo\\\\shared.dll\": REG_DWORD 1",
          "added key HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
          "Management\\ARPCache\\Demo",
          "added value "
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Demo "
          "\"UnInstallString\": REG_SZ \"C:\\\\Program Files\\\\Demo\\\\UnInstall.exe\"",
          "added key HKEY_LOCAL_MACHINE\\SOFTWARE\\Welmox\\Demo\\1.0"})
        EXPECT_NE(std::find(changes.begin(), changes.end(), line), changes.end()) << line;
    const std::string app = kApp;
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "help.txt", "Keep\\keep.ini",
                             "Cache\\cache.dat", "Data\\data.dat"})
        EXPECT_TRUE(fs::exists(app + "\\" + name)) << name;
    EXPECT_FALSE(fs::exists(app + "\\00001#help.txt"));
    const auto log = readSetupLog(app);
    const auto uninstall = readUninstallScript(app);
    ASSERT_TRUE(log && uninstall);
    // The header: the date as the system writes it, the folders of the run.
    ASSERT_GT(log->size(), 10u);
    EXPECT_TRUE(std::regex_match(
        log->at(3), std::regex(R"(Date: \d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2}:\d{2} [AP]M)")))
        << log->at(3);
    EXPECT_EQ(Lines(log->begin(), log->begin() + 3),
              (Lines{"Setup Log of: Demo", "Version: 1.0", ""}));
    EXPECT_EQ(
        Lines(log->begin() + 4, log->begin() + 10),
        (Lines{"Operating System: WinXP  5.1  2600 (Service Pack 2)", "Composer Version: ", "",
               "WinTempDir: C:\\Documents and Settings\\Administrator\\Local Settings\\Temp",
               "SourceDir:  " + f.setupFolderPath(), ""}));
    // After the header, line by line.
    const auto from = std::find(log->begin(), log->end(), "Execute Before Dialogs");
    EXPECT_EQ(Lines(from, log->end()),
              (Lines{"Execute Before Dialogs",
                     "Create Target Directory: C:\\Program Files\\Demo ... TRUE",
                     "Show Screen: Copying Files",
                     "Execute Before Copy",
                     "Handle First UnInstall Data",
                     "  Copy File: C:\\Program Files\\Demo\\UnInstall.exe ... OK",
                     "",
                     "Start Copy Directory",
                     "  (C:\\Program Files\\Demo)",
                     "  Copy File: C:\\Program Files\\Demo\\demo.exe ... OK",
                     "  Copy File: C:\\Program Files\\Demo\\shared.dll ... OK",
                     "  Copy File: C:\\Program Files\\Demo\\readme.txt ... OK",
                     "  Copy File: C:\\Program Files\\Demo\\help.txt ... OK",
                     "",
                     "Start Copy Directory",
                     "  (C:\\Program Files\\Demo\\Keep)",
                     "  Copy File: C:\\Program Files\\Demo\\Keep\\keep.ini ... OK",
                     "",
                     "Start Copy Directory",
                     "  (C:\\Program Files\\Demo\\Cache)",
                     "  Copy File: C:\\Program Files\\Demo\\Cache\\cache.dat ... OK",
                     "",
                     "Start Copy Directory",
                     "  (C:\\Program Files\\Demo\\Data)",
                     "  Copy File: C:\\Program Files\\Demo\\Data\\data.dat ... OK",
                     "",
                     "Execute After Copy",
                     "Create Start/Program Link(s):",
                     "Entering: FormCloseQuery - GetStopCopy=FALSE",
                     "Exiting: FormCloseQuery - GetStopCopy=FALSE",
                     "Entering: FormCloseQuery - GetStopCopy=FALSE",
                     "Exiting: FormCloseQuery - GetStopCopy=FALSE"}));
    // No line removes the uninstaller: uninstall takes care of itself.
    EXPECT_EQ(
        *uninstall,
        (Lines{
            "SetupType=Custom",
            "GroupNames=|Program|Data|",
            "Version=1.0",
            "ComposerVersion=",
            "",
            "PROG_NAME=Demo",
            "COMPANY_URL=",
            "CHAR_SET=0",
            "GET_DIALOG_BITMAP_3D_FRAME=0",
            "GET_AUTO_UPDATE_EXE_FILE_NAME=",
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
            "REMOVE_FILE(C:\\Program Files\\Demo\\UnInstall.txt);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\Setup.log);",
            "RunTimeDir_1=",
            "RunTimeDir_2=",
            "RunTimeDir_3=",
            "REMOVE_REG_KEY(HKEY_LOCAL_"
            "MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Demo);",
            "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
            "Management\\ARPCache\\Demo);",
            "",
            "TargetDir=C:\\Program Files\\Demo",
            "SharedDir=",
            "AuxiliaryDir=",
            "REMOVE_DIR(C:\\Program Files\\Demo);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\demo.exe);",
            "REMOVE_SHARED_FILE(C:\\Program Files\\Demo\\shared.dll);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\shared.dll);",
            "REMOVE_READONLY_FILE(C:\\Program Files\\Demo\\readme.txt);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\readme.txt);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\help.txt);",
            "",
            "DONT_REMOVE_DIR(C:\\Program Files\\Demo\\Keep);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\Keep\\keep.ini);",
            "",
            "FORCE_REMOVE_DIR(C:\\Program Files\\Demo\\Cache);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\Cache\\cache.dat);",
            "",
            "REMOVE_DIR(C:\\Program Files\\Demo\\Data);",
            "REMOVE_FILE(C:\\Program Files\\Demo\\Data\\data.dat);",
            "",
            "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software\\Welmox\\Demo\\1.0);"}));
}

// Neither group is selected: nothing of the package is copied, but the
// sequence runs on: the uninstaller, its script with an empty group list, the user key.
TEST(SilentInstall, NoGroupSelectedCopiesNothingAndWritesTheRest) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    std::string script = kScript;
    // With the components page listed (not shown: the setup is silent), the groups start
    // as their last item says.
    const std::pair<std::string, std::string> edits[] = {
        {"Program files|1)", "Program files|0)"},
        {"Data files|1)", "Data files|0)"},
        {"WelcomeDlg,CopyFilesDlg", "WelcomeDlg,CustomDlg,CopyFilesDlg"}};
    for (const auto& edit : edits)
        script.replace(script.find(edit.first), edit.first.size(), edit.second);
    f.writeSetupText(script);
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "00001#help.txt", "keep.ini",
                             "cache.dat", "data.dat"})
        f.addPayload({.name = name, .bytes = name});
    const RunResult r = f.runSetup();
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.errors << r.boxes;
    EXPECT_EQ(r.boxes, "");
    const std::string app = kApp;
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "help.txt", "Data"})
        EXPECT_FALSE(fs::exists(app + "\\" + name)) << name;
    EXPECT_TRUE(fs::exists(app + "\\UnInstall.exe"));
    const auto log = readSetupLog(app);
    const auto uninstall = readUninstallScript(app);
    ASSERT_TRUE(log && uninstall);
    EXPECT_NE(std::find(log->begin(), log->end(), "Execute After Copy"), log->end());
    for (const char* line : {"GroupNames=", "TargetDir=C:\\Program Files\\Demo",
                             "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software\\Welmox\\Demo\\1.0);"})
        EXPECT_NE(std::find(uninstall->begin(), uninstall->end(), line), uninstall->end()) << line;
    EXPECT_EQ(std::find(uninstall->begin(), uninstall->end(),
                        "REMOVE_FILE(C:\\Program Files\\Demo\\demo.exe);"),
              uninstall->end());
}

// A second run into the same folder, now with one more file: the uninstall script gains
// that file's line and repeats none it already had.
TEST(SilentInstall, ASecondRunAddsOnlyMissingLines) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText(kScript);
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "00001#help.txt", "keep.ini",
                             "cache.dat", "data.dat", "extra.txt"})
        f.addPayload({.name = name, .bytes = name});
    ASSERT_EQ(f.runSetup().exitCode, 0);
    const auto first = readUninstallScript(kApp);
    ASSERT_TRUE(first);
    std::string script = kScript;
    const std::string data = "SET_COPY_FILES(data.dat)";
    script.replace(script.find(data), data.size(), "SET_COPY_FILES(data.dat|extra.txt)");
    f.writeSetupText(script);
    const RunResult r = f.runSetup();
    ASSERT_EQ(r.exitCode, 0) << r.errors << r.boxes;
    const auto second = readUninstallScript(kApp);
    ASSERT_TRUE(second);
    Lines added = *second;
    for (const std::string& line : *first) {
        const auto at = std::find(added.begin(), added.end(), line);
        ASSERT_NE(at, added.end()) << line;
        added.erase(at);
    }
    // Blank lines only separate the blocks a run adds.
    added.erase(std::remove(added.begin(), added.end(), ""), added.end());
    EXPECT_EQ(added, Lines{"REMOVE_FILE(C:\\Program Files\\Demo\\Data\\extra.txt);"});
}

// "/OriginalInfoFile=": the folders preset by its ".original" file, and a background update
// by its ".info" file, which installs without a page and without a box.
TEST(SilentInstall, BackgroundUpdateInstallsIntoThePresetFolder) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    std::string script = kScript;
    const std::string silent = "SET_SILENT_SETUP\n";
    script.erase(script.find(silent), silent.size());
    f.writeSetupText(script);
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "00001#help.txt", "keep.ini",
                             "cache.dat", "data.dat"})
        f.addPayload({.name = name, .bytes = name});
    ASSERT_TRUE(fs::createFolders("C:\\Upd"));
    ASSERT_TRUE(
        fs::writeFile("C:\\Upd\\App.original", "[Directories]\r\nTargetDir=C:\\Preset\\Demo\r\n"));
    ASSERT_TRUE(fs::writeFile("C:\\Upd\\App.info", "[NewSetup]\r\nBackgroundUpdate=1\r\n"));
    const RunResult r = f.runSetup({.arguments = "/OriginalInfoFile=C:\\Upd\\App.dat"});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.errors << r.boxes;
    EXPECT_EQ(r.boxes, "");
    EXPECT_TRUE(fs::exists("C:\\Preset\\Demo\\demo.exe"));
    EXPECT_TRUE(fs::exists("C:\\Preset\\Demo\\Data\\data.dat"));
    EXPECT_FALSE(fs::exists(kApp));
    const auto log = readSetupLog("C:\\Preset\\Demo");
    ASSERT_TRUE(log);
    EXPECT_EQ(std::count_if(log->begin(), log->end(),
                            [](const std::string& l) { return l.rfind("Show Screen: ", 0) == 0; }),
              1);
}

// The program file and its side file both held open: the file cannot be copied even beside
// its target. No box; the wizard stays on the copy page with Back and Next disabled until
// Cancel, and nothing after the copy runs.
TEST(SilentInstall, AFileThatCannotBeCopiedEvenBesideItsTargetWaitsForCancel) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText(kScript);
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "00001#help.txt", "keep.ini",
                             "cache.dat", "data.dat"})
        f.addPayload({.name = name, .bytes = name});
    const std::string app = kApp;
    ASSERT_TRUE(fs::createFolders(app));
    ASSERT_TRUE(fs::writeFile(app + "\\demo.exe", "old"));
    ASSERT_TRUE(fs::writeFile(app + "\\Xdemo.exe", "old"));
    fs::File target = fs::File::open(app + "\\demo.exe", fs::Access::Read, fs::Share::Exclusive);
    fs::File side = fs::File::open(app + "\\Xdemo.exe", fs::Access::Read, fs::Share::Exclusive);
    ASSERT_TRUE(target.isOpen() && side.isOpen());
    const RunResult r =
        f.runSetup({.uiScript = "idle\n"
                                "  wait 1000\n"
                                "  expect SDialogForm caption \"Copying Files\"\n"
                                "  expect SDialogForm.BackButton enabled \"false\"\n"
                                "  expect SDialogForm.NextButton enabled \"false\"\n"
                                "  click SDialogForm.CancelButton\n"
                                "end\n"
                                "modal ExitSetupForm\n  click ExitSetupButton\nend\n"});
    ASSERT_TRUE(r.started);
    EXPECT_NE(r.output.find("all as expected"), std::string::npos) << r.output;
    target.close();
    side.close();
    EXPECT_EQ(fs::readFile(app + "\\demo.exe"), "old");
    const auto log = readSetupLog(app);
    const auto uninstall = readUninstallScript(app);
    ASSERT_TRUE(log && uninstall);
    EXPECT_NE(std::find(log->begin(), log->end(),
                        "  Copy File: C:\\Program Files\\Demo\\demo.exe ... FAILED"),
              log->end());
    EXPECT_EQ(std::find(log->begin(), log->end(), "Execute After Copy"), log->end());
    EXPECT_EQ(std::find(uninstall->begin(), uninstall->end(),
                        "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software\\Welmox\\Demo\\1.0);"),
              uninstall->end());
    EXPECT_FALSE(fs::exists(app + "\\Data"));
}

// A stage record that copies the uninstall script as it stands to a file of its own.
std::string copyScriptRecord(const char* stage, const char* to) {
    std::vector<std::string> header(21), arguments(15);
    header[1] = "copy";
    header[2] = stage;
    header[4] = "1";
    header[19] = "1";
    header[20] = "Copy File(s)";
    arguments[13] = std::string(kApp) + "\\UnInstall.txt";
    arguments[14] = to;
    auto list = [](const std::vector<std::string>& items) {
        std::string l = "|";
        for (const std::string& item : items)
            l += item + "|";
        return l;
    };
    return "SET_PERFORM_EXECUTE_OP(~" + list(header) + "~" + list(arguments) + "~)\n";
}

// What the stage records find is what the steps before them made: before the copy the
// script holds the setup type and groups but no folders; after it the folders and the
// files, but not yet the user key.
TEST(SilentInstall, StageRecordsSeeTheStepsBeforeThemOnly) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText(std::string(kScript) + copyScriptRecord("Before Copy", "C:\\before.txt") +
                     copyScriptRecord("After Copy", "C:\\after.txt"));
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "00001#help.txt", "keep.ini",
                             "cache.dat", "data.dat"})
        f.addPayload({.name = name, .bytes = name});
    const RunResult r = f.runSetup();
    ASSERT_EQ(r.exitCode, 0) << r.errors << r.boxes;
    const auto before = readCrLfLines("C:\\before.txt");
    const auto after = readCrLfLines("C:\\after.txt");
    ASSERT_TRUE(before && after);
    const auto has = [](const Lines& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    const std::string target = "TargetDir=C:\\Program Files\\Demo";
    const std::string file = "REMOVE_FILE(C:\\Program Files\\Demo\\demo.exe);";
    const std::string user = "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software\\Welmox\\Demo\\1.0);";
    EXPECT_TRUE(has(*before, "GroupNames=|Program|Data|"));
    EXPECT_FALSE(has(*before, target));
    EXPECT_FALSE(has(*before, file));
    EXPECT_TRUE(has(*after, target));
    EXPECT_TRUE(has(*after, file));
    EXPECT_FALSE(has(*after, user));
    const auto final = readUninstallScript(kApp);
    ASSERT_TRUE(final);
    EXPECT_TRUE(has(*final, user));
}

TEST(SilentInstall, TargetFolderThatCannotBeMadeEndsWithTheBoxAndNoTrace) {
    // A folder on the read-only host, and no target folder at all: one box each.
    const std::pair<const char*, const char*> cases[] = {
        {"SET_TARGET_DIR(Z:\\NoSuch\\Demo)", "Z:\\NoSuch\\Demo"},
        {"", ""},
    };
    for (const auto& [line, folder] : cases) {
        SCOPED_TRACE(line);
        InstallerFixture f(machine::testing::windowsProfile("XP"));
        std::string script = kScript;
        const std::string target = "SET_TARGET_DIR(<ProgramFilesDir>\\Demo)";
        script.replace(script.find(target), target.size(), line);
        f.writeSetupText(script);
        f.addPayload({.name = "demo.exe", .bytes = "demo.exe"});
        const Snapshot before = takeSnapshot();
        const RunResult r = f.runSetup();
        ASSERT_TRUE(r.started);
        EXPECT_EQ(r.boxes, std::string("BOX Error\nUnable to create directory:\n") + folder +
                               (*folder ? "\n" : "") +
                               "Setup will now close.\nCorrect the problem and run Setup once "
                               "again!\n.\n");
        // Nothing copied, no uninstall script, no registry entry.
        EXPECT_EQ(difference(before, takeSnapshot()), Lines{});
    }
}

} // namespace
} // namespace kv::e2e
