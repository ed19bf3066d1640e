#include "installer/common/file_names.h"
#include "installer/common/folders.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/reset.h"
#include "installer/common/run_time_folders.h"
#include "machine_helpers.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using machine::testing::windowsProfile;
using testing::makeFolder;

class Folders : public ::testing::Test {
protected:
    void SetUp() override {
        ui::headless::install();
        machine::setProgram(m_.hostFolder('C') / "Setup" / "setup", {});
        SetTargetDir("C:\\Program Files\\App");
        SetCommonDir("C:\\Program Files\\Common Files\\Welmox");
        SetAuxDir("D:\\Aux");
    }
    void TearDown() override {
        resetCommonForTests();
        machine::resetForTests();
    }
    TempMachine m_;
};

TEST_F(Folders, VariablesExpandInTheirOrder) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"<InstallDir>\\bin", "C:\\Program Files\\App\\bin"},
        {"<windir>x.ini", "C:\\WINDOWS\\x.ini"},
        {"<WINSYSDIR>a.dll", "C:\\WINDOWS\\system32\\a.dll"},
        {"<Windows Directory><InstallDir>a.ini", "C:\\WINDOWS\\a.ini"},
        {"<System Directory>\\<InstallDir>\\a.dll", "C:\\WINDOWS\\system32\\a.dll"},
        {"<AbsoluteDir>D:\\Data\\x", "D:\\Data\\x"},
        {"<InstallCommonDir>c.dll", "C:\\Program Files\\Common Files\\Welmox\\c.dll"},
        {"<Common Folder>c.dll", "C:\\Program Files\\Common Files\\Welmox\\c.dll"},
        {"<InstallAuxDir>\\a", "D:\\Aux\\a"},
        {"<Application Folder>a", "C:\\Program Files\\App\\a"},
        {"<WinDisk>boot.ini", "C:\\boot.ini"},
        {"<WinSysDisk>x", "C:\\x"},
        {"<WinSys16Dir>a.drv", "C:\\WINDOWS\\system\\a.drv"},
        {"<ProgramFilesDir>x", "C:\\Program Files\\x"},
        {"<CommonFilesDir>x", "C:\\Program Files\\Common Files\\x"},
        {"<FontDir>a.ttf", "C:\\WINDOWS\\Fonts\\a.ttf"},
        {"<SrcDir>Setup.txt", "C:\\Setup\\Setup.txt"},
        {"<OriginDir>a.info", "C:\\Setup\\a.info"},
        {"<InstallDir><InstallDir>", "C:\\Program Files\\App\\C:\\Program Files\\App\\"},
        {"C:\\\\no\\\\vars", "C:\\\\no\\\\vars"},
        {"\\\\server\\<InstallDir>x", "\\\\server\\C:\\Program Files\\App\\x"},
        {"<Unknown>", "<Unknown>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandFolderVars(c.in), c.out) << c.in;
}

TEST_F(Folders, UnsetFoldersExpandToABackslash) {
    resetCommonForTests();
    EXPECT_EQ(ExpandFolderVars("<InstallDir>a.txt"), "\\a.txt");
}

TEST_F(Folders, RunTimeVariablesResolveOnlyInExactSpelling) {
    SetRunTimeDirName1(testing::record({{12, "1"}, {13, "C:\\Tools"}, {16, "1"}}));
    // Another spelling is not resolved, and no message comes for it.
    EXPECT_EQ(ExpandFolderVars("<runtimedir_1>x"), "<runtimedir_1>x");
    EXPECT_EQ(ExpandFolderVars("<RunTimeDir_1>x"), "C:\\Tools\\x");
    // A run-time folder counts as absolute: the <InstallDir> after it goes.
    EXPECT_EQ(ExpandFolderVars("<RunTimeDir_1><InstallDir>x"), "C:\\Tools\\x");
    EXPECT_EQ(ExpandFolderVars("<InstallDir>x"), "C:\\Program Files\\App\\x");
}

TEST_F(Folders, SystemFolderLookups) {
    EXPECT_EQ(GetSystem16Dir(), "C:\\WINDOWS\\system");
    EXPECT_EQ(GetFontsDir(), "C:\\WINDOWS\\Fonts");
    EXPECT_EQ(GetProgramFilesDir(), "C:\\Program Files");
    EXPECT_EQ(GetCommonFilesDir(), "C:\\Program Files\\Common Files");
    EXPECT_EQ(GetOriginDir(), "C:\\Setup");
    ASSERT_TRUE(
        RegWriteString("HKEY_CURRENT_USER\\Software\\Welmox_Dyn_Data", "OriginDir", "D:\\Origin"));
    EXPECT_EQ(GetOriginDir(), "D:\\Origin");
    // A Fonts folder that does not exist falls back to the Windows folder's.
    ASSERT_TRUE(RegWriteString(
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "Fonts", "C:\\Missing"));
    EXPECT_EQ(GetFontsDir(), "C:\\WINDOWS\\Fonts");
    makeFolder("C:\\Elsewhere\\Fonts");
    ASSERT_TRUE(RegWriteString(
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "Fonts", "C:\\Elsewhere\\Fonts"));
    EXPECT_EQ(GetFontsDir(), "C:\\Elsewhere\\Fonts");
}

TEST(FoldersSystem16, FromTheSystemFolder) {
    struct Case {
        const char* system;
        const char* makeFolder; // besides the system folder itself
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM"},
        {"C:\\WINDOWS\\SYSTEM32", nullptr, "C:\\WINDOWS\\SYSTEM32"},
        {"C:\\WIN32\\SYS", "C:\\WINDOWS\\System", "C:\\WINDOWS\\System"},
        {"C:\\WIN32\\SYS32", "C:\\WIN32\\SYS", "C:\\WIN32\\SYS"},
    };
    for (const Case& c : cases) {
        machine::Profile p = windowsProfile("XP");
        p.folders.system = c.system;
        TempMachine m(p);
        std::filesystem::remove_all(internal::hostPathOf("C:\\WINDOWS\\system"));
        makeFolder(c.system);
        if (c.makeFolder) makeFolder(c.makeFolder);
        EXPECT_EQ(GetSystem16Dir(), c.expected) << c.system;
    }
}

TEST(FileNames, PrefixesFixedNamesAndFlags) {
    EXPECT_EQ(GetScriptFileName(false), "Setup.txt");
    EXPECT_EQ(GetUninstallFileName(false), "UnInstall.txt");
    EXPECT_EQ(GetLogFileName(false), "Setup.log");
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"C:\\App\\00012#readme.txt", "C:\\App\\readme.txt"},
        {"C:\\App\\0001a#readme.txt", "C:\\App\\0001a#readme.txt"},
        {"C:\\App\\0001#readme.txt", "C:\\App\\0001#readme.txt"},
        {"C:\\App\\12345#", "C:\\App\\"},
        {"C:\\00012#x\\y.txt", "C:\\00012#x\\y.txt"},
        {"00012#x.txt", "x.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripNumberPrefix(c.in), c.out) << c.in;

    EXPECT_TRUE(IsSharedFileFlag(0x01));
    EXPECT_FALSE(IsSharedFileFlag(0x02));
    EXPECT_TRUE(IsRegisterFileFlag(0x02));
    EXPECT_TRUE(IsNoUninstallFileFlag(0x10));
    EXPECT_FALSE(IsNoUninstallFileFlag(0x08));
    EXPECT_TRUE(IsReadOnlyFileFlag(0x0100));
    EXPECT_FALSE(IsReadOnlyFileFlag(0x0200));
    EXPECT_EQ(FileAttrFlags(0x12713), 0x27);
}

TEST(FileNames, WithTheProgramsFolder) {
    TempMachine m;
    machine::setProgram(m.hostFolder('C') / "Setup" / "setup", {});
    EXPECT_EQ(GetScriptFileName(true), "C:\\Setup\\Setup.txt");
    EXPECT_EQ(GetUninstallFileName(true), "C:\\Setup\\UnInstall.txt");
    EXPECT_EQ(GetLogFileName(true), "C:\\Setup\\Setup.log");
    machine::resetForTests();
}

} // namespace
} // namespace kv::installer
