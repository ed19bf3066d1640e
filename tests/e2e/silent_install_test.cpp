// A silent setup of a whole package run through the machine: the files it installs with
// their attributes, the Add/Remove Programs entry, the size record, the shared-file count
// and the user key, and Setup.log and the uninstall script line by line.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/attributes.h"
#include "platform/fs/files.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    EXPECT_EQ(log->at(0), "Setup Log of: Demo");
    // After the header, which names the date and the folders of the run.
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

TEST(SilentInstall, TargetFolderThatCannotBeMadeEndsWithTheBoxAndNoTrace) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    std::string script = kScript;
    const std::string target = "SET_TARGET_DIR(<ProgramFilesDir>\\Demo)";
    script.replace(script.find(target), target.size(), "SET_TARGET_DIR(Z:\\NoSuch\\Demo)");
    f.writeSetupText(script);
    f.addPayload({.name = "demo.exe", .bytes = "demo.exe"});
    const Snapshot before = takeSnapshot();
    const RunResult r = f.runSetup();
    ASSERT_TRUE(r.started);
    EXPECT_NE(r.boxes.find("Unable to create directory:"), std::string::npos) << r.boxes;
    EXPECT_NE(r.boxes.find("Z:\\NoSuch\\Demo"), std::string::npos) << r.boxes;
    // Nothing copied, no uninstall script, no registry entry.
    EXPECT_EQ(difference(before, takeSnapshot()), Lines{});
}

} // namespace
} // namespace kv::e2e
