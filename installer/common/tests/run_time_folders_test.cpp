#include "installer/common/file_ops.h"
#include "installer/common/folders.h"
#include "installer/common/install_registry.h"
#include "installer/common/reset.h"
#include "installer/common/run_time_folders.h"
#include "machine_helpers.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using testing::makeFile;
using testing::makeFolder;
using testing::record;

// C: and D: fixed, N: and M: network, the host root as Z:.
machine::Profile drivesProfile() {
    machine::Profile p = machine::defaultProfile();
    p.drives = {machine::Drive{'C', machine::kDriveFixed, "drives/C"},
                machine::Drive{'D', machine::kDriveFixed, "drives/D"},
                machine::Drive{'M', machine::kDriveNetwork, "drives/M"},
                machine::Drive{'N', machine::kDriveNetwork, "drives/N"},
                machine::Drive{'Z', machine::kDriveRemovable, "/"}};
    return p;
}

class RunTimeFolders : public ::testing::Test {
protected:
    void TearDown() override {
        resetCommonForTests();
        EXPECT_EQ(ui_.finish(), "");
    }
    TempMachine m_{drivesProfile()};
    ui::headless::HeadlessBackend& ui_ = ui::headless::install();
};

TEST_F(RunTimeFolders, ResolveStepsInOrder) {
    WriteAppPath("D:\\Tools\\tool.exe");
    makeFile("D:\\Deep\\er\\find.me");
    makeFile("N:\\Share\\net.me");
    makeFolder("D:\\A\\Lib\\Data");
    makeFolder("M:\\Pub\\Net Data");
    struct Case {
        const char* name;
        std::string record;
        const char* folder;
    };
    const Case cases[] = {
        {"app paths", record({{0, "1"}, {1, "tool.exe"}}), "D:\\Tools"},
        {"app paths first", record({{0, "1"}, {1, "tool.exe"}, {12, "1"}, {13, "C:\\X"}}),
         "D:\\Tools"},
        {"missing app falls through",
         record({{0, "1"}, {1, "none.exe"}, {4, "1"}, {5, "find.me"}, {6, "1"}}), "D:\\Deep\\er"},
        {"file on fixed", record({{4, "1"}, {5, "FIND.ME"}, {6, "1"}}), "D:\\Deep\\er"},
        {"file on network only", record({{4, "1"}, {5, "net.me"}, {6, "1"}, {7, "1"}}),
         "N:\\Share"},
        {"network flag off", record({{4, "1"}, {5, "net.me"}, {6, "1"}}), ""},
        {"folder on fixed", record({{8, "1"}, {9, "lib\\data"}, {10, "1"}}), "D:\\A\\Lib\\Data"},
        {"folder on network", record({{8, "1"}, {9, "Net Data"}, {11, "1"}}), "M:\\Pub\\Net Data"},
        {"fixed folder", record({{12, "1"}, {13, "C:\\Fixed"}}), "C:\\Fixed"},
        {"nothing", record({{2, "1"}, {3, "1"}, {14, "1"}}), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveRunTimeDir(c.record), c.folder) << c.name;
    EXPECT_FALSE(RunTimeDirAbort());
}

TEST_F(RunTimeFolders, NotFoundShowsTheMessageOnceAndSetsAbort) {
    SetRunTimeDirName2(record({{4, "1"}, {5, "gone.dll"}, {6, "1"}, {16, "1"}, {17, "1"}}));
    ui_.expectBox({.caption = "Error", .plainText = "RunTimeDir(gone.dll)\nNot Found!"});
    EXPECT_EQ(ExpandFolderVars("<RunTimeDir_2>gone.dll"), "\\gone.dll");
    EXPECT_TRUE(RunTimeDirAbort());
    // Resolved once: later uses show nothing.
    EXPECT_EQ(ExpandFolderVars("<RunTimeDir_2>x"), "\\x");
    EXPECT_EQ(GetRunTimeDir2(), "");
}

TEST_F(RunTimeFolders, MessageNamesTheFirstNameSet) {
    ui_.expectBox({.plainText = "RunTimeDir(app.exe)\nNot Found!"});
    ResolveRunTimeDir(record({{0, "1"}, {1, "app.exe"}, {8, "1"}, {9, "Dir"}, {16, "1"}}));
    ui_.expectBox({.plainText = "RunTimeDir(Dir)\nNot Found!"});
    ResolveRunTimeDir(record({{8, "1"}, {9, "Dir"}, {16, "1"}}));
    EXPECT_FALSE(RunTimeDirAbort());
}

TEST_F(RunTimeFolders, TextWithoutRunTimeVariableNeverSearches) {
    SetRunTimeDirName1(record({{4, "1"}, {5, "gone.dll"}, {6, "1"}, {16, "1"}, {17, "1"}}));
    EXPECT_EQ(ExpandFolderVars("<WinDir>x"), "C:\\WINDOWS\\x");
    EXPECT_FALSE(RunTimeDirAbort());
    EXPECT_TRUE(ui_.boxes().empty());
}

TEST_F(RunTimeFolders, DriveSearchesFollowEnumerationOrderAndSkipTheHost) {
    makeFile("D:\\b\\same.txt");
    makeFile("D:\\A\\sub\\same.txt");
    makeFile("C:\\z\\same.txt");
    makeFile("M:\\m.txt");
    makeFile("N:\\m.txt");
    // C: comes before D:; inside a drive "A" before "b", depth first.
    EXPECT_EQ(FindFileOnDrives("same.txt", 3), "C:\\z\\same.txt");
    EXPECT_EQ(FindFileInTree("D:\\", "same.txt"), "D:\\A\\sub\\same.txt");
    EXPECT_EQ(FindFileOnDrives("m.txt", 4), "M:\\m.txt");
    EXPECT_EQ(FindFileOnDrives("m.txt", 3), "");
    EXPECT_EQ(FindDirOnDrives("SUB", 3), "D:\\A\\sub");
    // A file only on the host (Z:) is never found.
    const std::string hostOnly = "host-only-" + m_.folder().filename().string() + ".txt";
    const std::filesystem::path host = m_.folder().parent_path() / hostOnly;
    std::ofstream(host) << "x";
    EXPECT_EQ(FindFileOnDrives(hostOnly, 3), "");
    EXPECT_EQ(FindFileOnDrives(hostOnly, 4), "");
    std::filesystem::remove(host);
}

TEST(RunTimeFoldersNoNetwork, NetworkSearchOnAMachineWithoutNetworkDrives) {
    TempMachine m;
    makeFile("C:\\x\\only.txt");
    EXPECT_EQ(FindFileOnDrives("only.txt", 4), "");
    EXPECT_EQ(FindFileOnDrives("only.txt", 3), "C:\\x\\only.txt");
}

} // namespace
} // namespace kv::installer
