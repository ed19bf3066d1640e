// The uninstaller started through the machine on a script of the kind setup writes: after
// Yes its start-up timer removes what the script lists, shows no box, and the test user
// closes the window once Close is enabled.

#include "tests/e2e/fixture.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/registry/registry.h"
#include "platform/system/known_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kv::e2e {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Demo";
constexpr const char* kEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Demo";
const std::string kEntry = std::string("HKEY_LOCAL_MACHINE\\") + kEntryKey;

bool put(const std::string& path, const std::string& bytes = "x") {
    return fs::createFolders(fs::folderPart(path)) && fs::writeFile(path, bytes);
}

TEST(UninstallRemoval, RemovesWhatTheScriptListsWithoutABox) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f;
    const std::string folder = kFolder;
    const std::string group =
        machine::knownFolderPath(machine::KnownFolder::CommonPrograms) + "\\Demo";
    ASSERT_TRUE(fs::createFolders(folder));
    std::filesystem::copy_file(f.setupFolder() / "UnInstall.exe",
                               fs::hostPath(folder + "\\UnInstall.exe"));
    ASSERT_TRUE(put(folder + "\\Demo.exe"));
    ASSERT_TRUE(put(folder + "\\Data\\a.dat"));
    ASSERT_TRUE(put(folder + "\\Readme.txt")); // not listed: the folder stays
    ASSERT_TRUE(put(group + "\\Demo.lnk"));
    registry::Key entry;
    ASSERT_EQ(
        registry::createKey(registry::rootKey(registry::Root::LocalMachine), kEntryKey, entry),
        registry::Status::Success);
    ASSERT_EQ(registry::setValue(entry, "DisplayName", registry::stringValue("Demo")),
              registry::Status::Success);
    ASSERT_TRUE(put(folder + "\\UnInstall.txt",
                    "PROG_NAME=Demo\r\nCONFIRM_CAPTION=Confirm\r\nCONFIRM_TEXT=Remove\r\n"
                    "TargetDir=" +
                        folder +
                        "\r\n"
                        "REMOVE_FILE(" +
                        folder +
                        "\\UnInstall.txt);\r\n"
                        "REMOVE_FILE(" +
                        folder +
                        "\\Demo.exe);\r\n"
                        "REMOVE_DIR(" +
                        folder +
                        ");\r\n"
                        "REMOVE_DIR(" +
                        folder +
                        "\\Data);\r\n"
                        "REMOVE_FILE(" +
                        folder +
                        "\\Data\\a.dat);\r\n"
                        "FORCE_REMOVE_FOLDER(" +
                        group +
                        ");\r\n"
                        "REMOVE_REG_KEY(" +
                        kEntry + ");\r\n"));
    const Snapshot before = takeSnapshot();
    const RunResult r = f.start("\"" + folder + "\\UnInstall.exe\"",
                                {.uiScript = "box caption \"Confirm\" answer Yes\n"
                                             "idle\n"
                                             "  wait 5000\n"
                                             "  expect MainForm.Label7 visible \"true\"\n"
                                             "  expect MainForm.CloseButton enabled \"true\"\n"
                                             "  click MainForm.CloseButton\n"
                                             "end\n"});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    EXPECT_NE(r.output.find("all as expected"), std::string::npos) << r.output;
    // Besides the removals: short names given on the way, and whatever the self-deletion
    // does to the uninstaller.
    std::vector<std::string> changes;
    for (const std::string& line : difference(before, takeSnapshot()))
        if (line.find(": short name none -> ") == std::string::npos &&
            line.find("UnInstall.exe") == std::string::npos &&
            line.find("_DEL_ME_.BAT") == std::string::npos)
            changes.push_back(line);
    // In the machine's order: by drive and path, the registry's keys as the hive spells them.
    EXPECT_EQ(changes, (std::vector<std::string>{
                           "removed folder " + group,
                           "removed file " + group + "\\Demo.lnk",
                           "removed folder " + folder + "\\Data",
                           "removed file " + folder + "\\Data\\a.dat",
                           "removed file " + folder + "\\Demo.exe",
                           "removed file " + folder + "\\UnInstall.txt",
                           "removed key HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
                           "CurrentVersion\\UnInstall\\Demo",
                       }));
    EXPECT_TRUE(fs::exists(folder + "\\Readme.txt"));
}

} // namespace
} // namespace kv::e2e
