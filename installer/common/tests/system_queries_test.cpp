#include "installer/common/installed_fonts.h"
#include "installer/common/reset.h"
#include "installer/common/system_queries.h"

#include "platform/fs/program.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/resources.h"
#include "platform/system/restart.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using machine::testing::windowsProfile;

class SystemQueries : public ::testing::Test {
protected:
    void TearDown() override {
        machine::resetForTests();
        resetCommonForTests();
    }
};

TEST_F(SystemQueries, VersionsComeFromTheMachineProfile) {
    struct Case {
        const char* release;
        bool win9x;
        bool xp;
    };
    for (const Case& c :
         {Case{"95", true, false}, Case{"98", true, false}, Case{"ME", true, false},
          Case{"NT", false, false}, Case{"2000", false, false}, Case{"XP", false, true}}) {
        TempMachine m(windowsProfile(c.release));
        EXPECT_EQ(GetOSShortName(), c.release);
        EXPECT_EQ(IsWin9x(), c.win9x) << c.release;
        EXPECT_EQ(IsWinNT(), !c.win9x) << c.release;
        EXPECT_EQ(IsWinXP(), c.xp) << c.release;
    }
    TempMachine xp;
    EXPECT_EQ(GetOSDescription(), "WinXP  5.1  2600 (Service Pack 2)");
}

TEST_F(SystemQueries, ProgramPathAndCommandLine) {
    TempMachine m;
    machine::setProgram("/opt/My Setup/setup",
                        {"/OriginalInfoFile=C:\\My Files\\a.info", "/quiet"});
    EXPECT_EQ(GetExeName(), "Z:\\opt\\My Setup\\setup");
    EXPECT_EQ(GetExeDir(true), "Z:\\opt\\My Setup\\");
    EXPECT_EQ(GetExeDir(false), "Z:\\opt\\My Setup");
    EXPECT_EQ(fs::commandLine(),
              "\"Z:\\opt\\My Setup\\setup\" /OriginalInfoFile=\"C:\\My Files\\a.info\" /quiet");
    EXPECT_EQ(GetSwitchValue("/originalinfofile="), "C:\\My Files\\a.info");
    EXPECT_EQ(GetSwitchValue("/QUIET"), "TRUE");
    EXPECT_EQ(GetSwitchValue("/absent"), "");

    // A program inside a drive's folder is known by that drive's letter.
    machine::setProgram(m.hostFolder('C') / "Program Files" / "App" / "UnInstall.exe", {});
    EXPECT_EQ(GetExeName(), "C:\\Program Files\\App\\UnInstall.exe");
    EXPECT_EQ(GetCommandTail(), "");
}

TEST_F(SystemQueries, ArgumentsAreQuotedByTheRuntimeRules) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"a b", "\"a b\""},
        {"", "\"\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\dir with blank\\", "\"C:\\dir with blank\\\\\""},
        {"/File=a b", "/File=\"a b\""},
        {"a b=c", "\"a b=c\""},
    };
    for (const auto& [arg, quoted] : cases)
        EXPECT_EQ(machine::quoteArgument(arg), quoted) << arg;
}

TEST_F(SystemQueries, FoldersOfTheMachine) {
    TempMachine m;
    EXPECT_EQ(GetWindowsDir(false), "C:\\WINDOWS");
    EXPECT_EQ(GetSystemDir(true), "C:\\WINDOWS\\system32\\");
    EXPECT_EQ(GetTempDir(true).back(), '\\');
}

TEST_F(SystemQueries, ThemedNeedsManifestXpAndStylesAndIsCached) {
    TempMachine m;
    EXPECT_FALSE(IsThemed()); // no manifest
    machine::addResource(machine::kResourceManifest, "1", "<assembly/>");
    EXPECT_FALSE(IsThemed()); // cached for the run
    resetCommonForTests();
    EXPECT_TRUE(HasManifestResource());
    EXPECT_TRUE(IsThemed());

    resetCommonForTests();
    machine::Profile noStyles = machine::defaultProfile();
    noStyles.visualStyles = false;
    TempMachine plain(noStyles);
    EXPECT_FALSE(IsThemed());
}

TEST_F(SystemQueries, AdministratorFlag) {
    machine::Profile user = machine::defaultProfile();
    user.isAdmin = false;
    {
        TempMachine m(user);
        EXPECT_FALSE(IsAdmin());
    }
    TempMachine admin;
    EXPECT_TRUE(IsAdmin());
}

TEST_F(SystemQueries, RebootMarksTheMachineAndEndsTheProgram) {
    TempMachine m;
    ui::headless::install();
    const int code = ui::runProgram([] {
        RebootWindows();
        ADD_FAILURE() << "the program went on after the restart request";
        return 5;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(machine::restartRequested());
}

TEST_F(SystemQueries, InstalledFontsAreTheFacesTheFontsKeyNames) {
    for (const char* release : {"98", "XP"}) {
        registry::resetForTests();
        TempMachine m(windowsProfile(release));
        // TrueType and bitmap faces of a fresh machine, without regard to case.
        for (const char* face : {"Arial", "tahoma", "MS Sans Serif", "Times New Roman"})
            EXPECT_TRUE(IsFontInstalled(face)) << release << " " << face;
        // Not a face the machine has, nor a part of one's name.
        for (const char* face : {"Nowhere Sans", "Courier", "MS Sans", "TrueType", ""})
            EXPECT_FALSE(IsFontInstalled(face)) << release << " " << face;
        EXPECT_EQ(InstalledFaceOrArial("Verdana"), "Verdana");
        EXPECT_EQ(InstalledFaceOrArial("Nowhere Sans"), "Arial");
    }
    registry::resetForTests();
}

} // namespace
} // namespace kv::installer
