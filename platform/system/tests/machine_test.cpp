#include "platform/system/known_folders.h"
#include "platform/system/machine.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/text/ansi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace kv::machine {
namespace {

namespace fs = std::filesystem;

TEST(Machine, CreatesTheKnownFoldersOnDriveC) {
    testing::TempMachine tm;
    const Machine& m = current();
    fs::path c = tm.hostFolder('C');
    EXPECT_EQ(c, m.folder() / "drives" / "C");
    for (const char* rel :
         {"WINDOWS/system32", "WINDOWS/system", "WINDOWS/Fonts", "Program Files/Common Files",
          "Documents and Settings/Administrator/Desktop",
          "Documents and Settings/Administrator/Start Menu/Programs/Startup",
          "Documents and Settings/Administrator/SendTo",
          "Documents and Settings/Administrator/My Documents",
          "Documents and Settings/Administrator/Local Settings/Temp",
          "Documents and Settings/All Users/Start Menu/Programs/Startup",
          "Documents and Settings/All Users/Desktop"})
        EXPECT_TRUE(fs::is_directory(c / rel)) << rel;
    EXPECT_TRUE(fs::is_directory(m.runtimeFolder()));
    EXPECT_TRUE(fs::is_directory(m.registryFolder()));
    EXPECT_EQ(knownFolderPath(KnownFolder::Temp),
              "C:\\Documents and Settings\\Administrator\\Local Settings\\Temp");
    EXPECT_EQ(knownFolderPath(KnownFolder::CommonFiles), "C:\\Program Files\\Common Files");
    EXPECT_EQ(m.hostFolder(*m.drive('z')), fs::path("/"));
}

TEST(Machine, ReopenedMachinesReportTheirProfilesVersion) {
    struct Case {
        const char* name;
        int platform, major, minor, build;
    } cases[] = {{"95", 1, 4, 0, 950},  {"98", 1, 4, 10, 1998},  {"ME", 1, 4, 90, 3000},
                 {"NT", 2, 4, 0, 1381}, {"2000", 2, 5, 0, 2195}, {"XP", 2, 5, 1, 2600}};
    for (const Case& c : cases) {
        testing::TempMachine tm(testing::windowsProfile(c.name));
        fs::path folder = current().folder();
        resetForTests();
        ASSERT_TRUE(openMachine(folder));
        const OsVersion& v = current().profile().os;
        EXPECT_EQ(v.platformId, c.platform) << c.name;
        EXPECT_EQ(v.major, c.major) << c.name;
        EXPECT_EQ(v.minor, c.minor) << c.name;
        EXPECT_EQ(v.build, c.build) << c.name;
    }
}

TEST(Machine, OpeningReadsAnEditedProfileAndSetsTheCodePage) {
    testing::TempMachine tm;
    fs::path folder = current().folder();
    {
        std::ofstream out(folder / "profile.txt", std::ios::app);
        out << "locale.code_page = 1255\nscreen.width = 640\n";
    }
    resetForTests();
    ASSERT_TRUE(openMachine(folder));
    EXPECT_EQ(current().profile().screen.width, 640);
    EXPECT_EQ(text::activeCodePage(), 1255);
}

TEST(Machine, CurrentOpensOrCreatesTheMachineNamedByKvMachine) {
    testing::TempMachine tm;
    fs::path folder = tm.folder() / "other";
    ::setenv("KV_MACHINE", folder.c_str(), 1);
    resetForTests();
    EXPECT_EQ(current().folder(), folder);
    EXPECT_TRUE(fs::exists(folder / "profile.txt"));
    EXPECT_TRUE(fs::is_directory(folder / "drives" / "C" / "WINDOWS" / "system32"));
    ::unsetenv("KV_MACHINE");
}

TEST(Machine, DefaultFolderFollowsXdgDataHome) {
    ::unsetenv("KV_MACHINE");
    ::setenv("XDG_DATA_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(defaultMachineFolder(), fs::path("/tmp/xdg-test/kestrovane/machine"));
    ::unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace kv::machine
