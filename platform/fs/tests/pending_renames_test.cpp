#include "platform/fs/pending_renames.h"

#include "platform/fs/files.h"
#include "platform/fs/short_names.h"
#include "platform/registry/registry.h"
#include "platform/system/restart.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

namespace kv::fs {
namespace {

using machine::testing::TempMachine;
using machine::testing::windowsProfile;

const char* const kArgv[] = {"program"};

void start() {
    startProgram(1, kArgv);
}

std::string content(const std::string& path) {
    return readFile(path).value_or("<missing>");
}

class PendingRenames : public ::testing::Test {
protected:
    void SetUp() override { registry::resetForTests(); }
    void TearDown() override { registry::resetForTests(); }
};

TEST_F(PendingRenames, NtListRunsAtTheFirstStartAfterARestartOnly) {
    TempMachine m(windowsProfile("XP"));
    ASSERT_TRUE(createFolders("C:\\App"));
    ASSERT_TRUE(writeFile("C:\\App\\lib.dll", "old"));
    ASSERT_TRUE(writeFile("C:\\App\\Xlib.dll", "new"));
    ASSERT_TRUE(writeFile("C:\\App\\stale.tmp", "x"));
    ASSERT_TRUE(moveFileEx("C:\\App\\Xlib.dll", "C:\\App\\lib.dll",
                           kMoveDelayUntilReboot | kMoveReplaceExisting));
    ASSERT_TRUE(moveFileEx("C:\\App\\stale.tmp", "", kMoveDelayUntilReboot));
    EXPECT_EQ(pendingRenames(),
              (std::vector<PendingRename>{{"C:\\App\\Xlib.dll", "C:\\App\\lib.dll", true},
                                          {"C:\\App\\stale.tmp", "", false}}));

    start(); // an ordinary start changes nothing
    EXPECT_EQ(content("C:\\App\\lib.dll"), "old");
    EXPECT_TRUE(exists("C:\\App\\stale.tmp"));

    ASSERT_TRUE(machine::requestRestart());
    start();
    EXPECT_EQ(content("C:\\App\\lib.dll"), "new");
    EXPECT_FALSE(exists("C:\\App\\Xlib.dll"));
    EXPECT_TRUE(pendingRenames().empty());
    EXPECT_FALSE(exists("C:\\App\\stale.tmp"));
    registry::Key key;
    registry::Value value;
    ASSERT_EQ(registry::openKey(registry::rootKey(registry::Root::LocalMachine),
                                "SYSTEM\\CurrentControlSet\\Control\\Session Manager", key),
              registry::Status::Success);
    EXPECT_EQ(registry::queryValue(key, "PendingFileRenameOperations", value),
              registry::Status::FileNotFound);

    // Nothing is left to do at the next restart.
    ASSERT_TRUE(writeFile("C:\\App\\lib.dll", "kept"));
    ASSERT_TRUE(machine::requestRestart());
    start();
    EXPECT_EQ(content("C:\\App\\lib.dll"), "kept");
}

TEST_F(PendingRenames, WithoutTheDelayFlagTheMoveHappensNow) {
    TempMachine m;
    ASSERT_TRUE(writeFile("C:\\a.txt", "a"));
    ASSERT_TRUE(writeFile("C:\\b.txt", "b"));
    EXPECT_FALSE(moveFileEx("C:\\a.txt", "C:\\b.txt", 0));
    EXPECT_TRUE(moveFileEx("C:\\a.txt", "C:\\b.txt", kMoveReplaceExisting));
    EXPECT_EQ(content("C:\\b.txt"), "a");
}

TEST_F(PendingRenames, WininitRenameLinesWithShortNamesOnWindows98) {
    TempMachine m(windowsProfile("98"));
    const std::string target = "C:\\Program Files\\My Application\\shared library.dll";
    const std::string side = "C:\\Program Files\\My Application\\Xshared library.dll";
    ASSERT_TRUE(createFolders("C:\\Program Files\\My Application"));
    ASSERT_TRUE(writeFile(target, "old"));
    ASSERT_TRUE(writeFile(side, "new"));
    ASSERT_TRUE(writeFile("C:\\WINDOWS\\obsolete.dat", "x"));
    const std::string wininit = "[rename]\r\n" + shortPath(target) + "=" + shortPath(side) +
                                "\r\nNUL=" + shortPath("C:\\WINDOWS\\obsolete.dat") + "\r\n";
    ASSERT_NE(shortPath(target).find('~'), std::string::npos);
    ASSERT_TRUE(writeFile("C:\\WINDOWS\\WININIT.INI", wininit));
    EXPECT_EQ(pendingRenames(),
              (std::vector<PendingRename>{{shortPath(side), shortPath(target), true},
                                          {shortPath("C:\\WINDOWS\\obsolete.dat"), "", true}}));

    start();
    EXPECT_EQ(content(target), "old");

    ASSERT_TRUE(machine::requestRestart());
    start();
    EXPECT_EQ(content(target), "new");
    EXPECT_FALSE(exists(side));
    EXPECT_FALSE(exists("C:\\WINDOWS\\obsolete.dat"));
    EXPECT_FALSE(exists("C:\\WINDOWS\\WININIT.INI"));
    EXPECT_EQ(content("C:\\WINDOWS\\WININIT.BAK"), wininit);
}

} // namespace
} // namespace kv::fs
