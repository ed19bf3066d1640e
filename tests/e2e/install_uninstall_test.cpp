// A silent setup of a package, then its uninstaller started through the machine and answered
// Yes: what setup added is gone again, and the uninstaller, its folder and its batch with it.

#include "tests/e2e/fixture.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"
#include "platform/system/known_folders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace kv::e2e {
namespace {

constexpr const char* kApp = "C:\\Program Files\\Demo App";

const char* kScript = "SET_PROG_NAME(Demo)\n"
                      "SET_PROG_VERSION(1.0)\n"
                      "SET_COMPANY_NAME(Welmox)\n"
                      "SET_PROG_EXE_NAME(<Application Folder>demo.exe)\n"
                      "SET_CREATE_SETUP_LOG\n"
                      "SET_CREATE_UNINSTALL\n"
                      "SET_SILENT_SETUP\n"
                      "SET_TARGET_DIR(<ProgramFilesDir>\\Demo App)\n"
                      "SET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)\n"
                      "SET_GROUP_DATA(Program|10|1|1|4|Program files|1)\n"
                      "SET_SUB_DIR(<Application Folder>)\n"
                      "SET_COPY_FILES(demo.exe|*shared.dll|256*readme.txt)\n"
                      "SET_SUB_DIR(<Application Folder>Data)\n"
                      "SET_COPY_FILES(data.dat)\n";

TEST(InstallUninstall, UninstallRemovesWhatASilentSetupInstalled) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText(kScript);
    for (const char* name : {"demo.exe", "shared.dll", "readme.txt", "data.dat"})
        f.addPayload({.name = name, .bytes = name});
    const Snapshot before = takeSnapshot();
    const RunResult setup = f.runSetup();
    ASSERT_TRUE(setup.started);
    ASSERT_EQ(setup.exitCode, 0) << setup.errors << setup.boxes;
    const std::string app = kApp;
    ASSERT_TRUE(fs::exists(app + "\\UnInstall.exe"));

    const RunResult r =
        f.start("\"" + app + "\\UnInstall.exe\"", {.uiScript = kUninstallYesThenClose});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    EXPECT_NE(r.output.find("all as expected"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("(not listed)"), std::string::npos) << r.output; // no report box
    // The batch runs on after the uninstaller has ended, and deletes itself last.
    const std::string batch =
        machine::knownFolderPath(machine::KnownFolder::Temp) + "\\_DEL_ME_.BAT";
    for (int i = 0; i < 200 && (fs::exists(app) || fs::exists(batch)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(app));
    EXPECT_FALSE(fs::exists(batch));

    // Only the parent keys setup made on the way stay, empty: the script removes the keys it
    // made itself. No file, folder or value is left.
    for (const std::string& line : difference(before, takeSnapshot()))
        if (line.find(": short name ") == std::string::npos) {
            EXPECT_EQ(line.rfind("added key HKEY_LOCAL_MACHINE\\SOFTWARE\\", 0), 0u) << line;
        }
}

} // namespace
} // namespace kv::e2e
