// The uninstaller installed on drive C: and started through the machine: the question
// answered No changes nothing on the machine; Yes removes only the auto-update program and
// its "X_" copy before the window.

#include "tests/e2e/fixture.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kv::e2e {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Demo";
constexpr const char* kUninstaller = "\"C:\\Program Files\\Demo\\UnInstall.exe\"";

// Puts the uninstaller and its script into the program folder, with an auto-update program
// and its "X_" copy beside them.
void installUninstaller(const InstallerFixture& f) {
    const std::string folder = kFolder;
    ASSERT_TRUE(fs::createFolders(folder));
    std::filesystem::copy_file(f.setupFolder() / "UnInstall.exe",
                               fs::hostPath(folder + "\\UnInstall.exe"));
    ASSERT_TRUE(fs::writeFile(folder + "\\UnInstall.txt",
                              "PROG_NAME=Demo\r\nCONFIRM_CAPTION=Confirm\r\n"
                              "CONFIRM_TEXT=Are you sure you want to uninstall the program\r\n"
                              "GET_AUTO_UPDATE_EXE_FILE_NAME=Update.exe\r\n"));
    ASSERT_TRUE(fs::writeFile(folder + "\\Update.exe", "u"));
    ASSERT_TRUE(fs::writeFile(folder + "\\X_Update.exe", "x"));
}

const char* kQuestion = "box caption \"Confirm\" text \"\\r\\n\\r\\nAre you sure you want to "
                        "uninstall the program \\\"Demo\\\" ?\\r\\n\\r\\n\" style 0x24 answer ";

TEST(UninstallStart, NoChangesNothing) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f;
    installUninstaller(f);
    const Snapshot before = takeSnapshot();
    const RunResult r = f.start(kUninstaller, {.uiScript = std::string(kQuestion) + "No\n"});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    EXPECT_NE(r.output.find("all as expected"), std::string::npos) << r.output;
    EXPECT_EQ(difference(before, takeSnapshot()), std::vector<std::string>{});
}

TEST(UninstallStart, YesRemovesTheAutoUpdateProgramsOnly) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f;
    installUninstaller(f);
    const Snapshot before = takeSnapshot();
    const RunResult r =
        f.start(kUninstaller, {.uiScript = std::string(kQuestion) + "Yes\n"
                                                                    "idle\n"
                                                                    "  close MainForm\n"
                                                                    "end\n"});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    EXPECT_NE(r.output.find("show MainForm \"UnInstall - Demo\""), std::string::npos) << r.output;
    // Besides the removals only short names given on the way (finding a program by its
    // path asks for them).
    std::vector<std::string> changes;
    for (const std::string& line : difference(before, takeSnapshot()))
        if (line.find(": short name none -> ") == std::string::npos) changes.push_back(line);
    EXPECT_EQ(changes,
              (std::vector<std::string>{"removed file C:\\Program Files\\Demo\\Update.exe",
                                        "removed file C:\\Program Files\\Demo\\X_Update.exe"}));
    EXPECT_FALSE(fs::exists("C:\\Program Files\\Demo\\Update.exe"));
    EXPECT_FALSE(fs::exists("C:\\Program Files\\Demo\\X_Update.exe"));
    EXPECT_TRUE(fs::exists("C:\\Program Files\\Demo\\UnInstall.exe"));
}

} // namespace
} // namespace kv::e2e
