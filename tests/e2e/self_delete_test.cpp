// The uninstaller's deletion of itself seen from outside: its batch in the temporary folder,
// the lines it holds while it waits for the uninstaller to be deletable, and what is left
// once it has run.

#include "tests/e2e/fixture.h"

#include "platform/fs/file.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/system/known_folders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace kv::e2e {
namespace {

constexpr const char* kApp = "C:\\Program Files\\Demo App";

std::string batchPath() {
    return machine::knownFolderPath(machine::KnownFolder::Temp) + "\\_DEL_ME_.BAT";
}

// The batch runs outside the machine's process list, so the fixture does not wait for it:
// waits (bounded) until the path is gone.
bool vanishes(const std::string& path) {
    for (int i = 0; i < 300 && fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return !fs::exists(path);
}

// An execute record of the stage whose operation is "Exit".
std::string exitRecord(const std::string& stage) {
    std::vector<std::string> items(21);
    items[1] = "quit";
    items[2] = stage;
    items[4] = "1";
    items[19] = "1";
    items[20] = "Exit";
    std::string header = "|";
    for (const std::string& item : items)
        header += item + "|";
    return "~" + header + "~|~";
}

TEST(SelfDelete, TheBatchHoldsFiveShortLinesUntilTheUninstallerCanGo) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText("SET_PROG_NAME(Demo)\n"
                     "SET_CREATE_UNINSTALL\n"
                     "SET_SILENT_SETUP\n"
                     "SET_TARGET_DIR(<ProgramFilesDir>\\Demo App)\n"
                     "SET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)\n"
                     "SET_GROUP_DATA(Program|10|1|1|4|Program files|1)\n"
                     "SET_SUB_DIR(<Application Folder>)\n"
                     "SET_COPY_FILES(demo.exe)\n");
    f.addPayload({.name = "demo.exe", .bytes = "demo"});
    const RunResult setup = f.runSetup();
    ASSERT_EQ(setup.exitCode, 0) << setup.errors << setup.boxes;
    const std::string app = kApp;
    const std::string uninstaller = app + "\\UnInstall.exe";
    ASSERT_TRUE(fs::exists(uninstaller));

    // Held open exclusively, the uninstaller cannot be deleted after it has ended: the
    // batch keeps retrying and can be read.
    fs::File hold = fs::File::open(uninstaller, fs::Access::Read, fs::Share::Exclusive);
    ASSERT_TRUE(hold.isOpen());
    const RunResult r = f.start("\"" + uninstaller + "\"", {.uiScript = kUninstallYesThenClose});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    const std::string batch = batchPath();
    ASSERT_TRUE(fs::exists(batch));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(fs::exists(uninstaller));
    const std::string shortApp = fs::shortPath(app);
    EXPECT_EQ(shortApp.find(' '), std::string::npos) << shortApp;
    EXPECT_EQ(fs::readFile(batch), ":START\r\n"
                                   "DEL " +
                                       fs::shortPath(uninstaller) +
                                       "\r\n"
                                       "IF errorlevel 1 GOTO START\r\n"
                                       "RD " +
                                       shortApp +
                                       "\r\n"
                                       "DEL " +
                                       fs::shortPath(batch) + "\r\n");

    hold.close();
    EXPECT_TRUE(vanishes(batch));
    EXPECT_FALSE(fs::exists(uninstaller));
    EXPECT_FALSE(fs::exists(app));
}

// An Exit at the first stage removes nothing the script lists, but the uninstall counts as
// done: the uninstaller still goes, and its folder, holding more, stays.
TEST(SelfDelete, ExitAtUnInstallStartStillDeletesTheUninstaller) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f;
    const std::string app = kApp;
    ASSERT_TRUE(fs::createFolders(app));
    std::filesystem::copy_file(f.setupFolder() / "UnInstall.exe",
                               fs::hostPath(app + "\\UnInstall.exe"));
    ASSERT_TRUE(fs::writeFile(app + "\\Demo.exe", "x"));
    ASSERT_TRUE(fs::writeFile(app + "\\UnInstall.txt",
                              "PROG_NAME=Demo\r\nCONFIRM_CAPTION=Confirm\r\nCONFIRM_TEXT=Remove\r\n"
                              "REMOVE_FILE(" +
                                  app +
                                  "\\Demo.exe);\r\n"
                                  "REMOVE_DIR(" +
                                  app +
                                  ");\r\n"
                                  "SET_PERFORM_EXECUTE_OP(" +
                                  exitRecord("UnInstall Start") + ");\r\n"));
    // The Exit closes the window by itself.
    const RunResult r = f.start("\"" + app + "\\UnInstall.exe\"",
                                {.uiScript = "box caption \"Confirm\" answer Yes\n"});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    EXPECT_NE(r.output.find("all as expected"), std::string::npos) << r.output;
    EXPECT_TRUE(vanishes(app + "\\UnInstall.exe"));
    EXPECT_TRUE(vanishes(batchPath()));
    EXPECT_TRUE(fs::exists(app + "\\Demo.exe"));
    EXPECT_TRUE(fs::exists(app + "\\UnInstall.txt"));
}

} // namespace
} // namespace kv::e2e
