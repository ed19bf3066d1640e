// Snapshots of a machine and their difference; the readers of setup's line files.

#include "tests/e2e/log_lines.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/pending_renames.h"
#include "platform/fs/short_names.h"
#include "platform/registry/registry.h"
#include "platform/system/restart.h"
#include "platform/system/testing/temp_machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kv::e2e {
namespace {

using registry::Root;
using ::testing::ElementsAre;

class MachineSnapshot : public ::testing::Test {
protected:
    void SetUp() override { registry::resetForTests(); }
    void TearDown() override { registry::resetForTests(); }
    registry::Key key(Root root, const char* path) {
        registry::Key k;
        EXPECT_EQ(registry::createKey(registry::rootKey(root), path, k), registry::Status::Success);
        return k;
    }
    machine::testing::TempMachine machine_;
};

TEST_F(MachineSnapshot, TheSameMachineTwiceGivesNoDifference) {
    ASSERT_TRUE(fs::writeFile("C:\\Long File Name.txt", "x"));
    const Snapshot first = takeSnapshot();
    EXPECT_FALSE(first.files.empty());
    EXPECT_FALSE(first.keys.empty());
    EXPECT_THAT(difference(first, takeSnapshot()), ElementsAre());
}

TEST_F(MachineSnapshot, DifferenceNamesEachChange) {
    ASSERT_TRUE(fs::writeFile("C:\\kept.txt", "k"));
    ASSERT_TRUE(fs::writeFile("C:\\Long File Name.txt", "x"));
    ASSERT_TRUE(fs::writeFile("C:\\old.dll", "o"));
    ASSERT_TRUE(fs::writeFile("C:\\gone.txt", "g"));
    registry::Key demo = key(Root::CurrentUser, "Software\\Demo");
    ASSERT_EQ(registry::setValue(demo, "Name", registry::stringValue("a")),
              registry::Status::Success);
    const Snapshot before = takeSnapshot();

    ASSERT_TRUE(fs::createFolders("C:\\App"));
    ASSERT_TRUE(fs::writeFile("C:\\App\\new.exe", "abc"));
    ASSERT_TRUE(fs::setAttributes("C:\\kept.txt", fs::kAttrReadOnly | fs::kAttrHidden));
    ASSERT_TRUE(fs::deleteFile("C:\\gone.txt"));
    ASSERT_FALSE(fs::shortPath("C:\\Long File Name.txt").empty()); // the snapshot gave none
    ASSERT_EQ(registry::setValue(demo, "Name", registry::stringValue("b")),
              registry::Status::Success);
    registry::Key app = key(Root::LocalMachine, "SOFTWARE\\App");
    ASSERT_EQ(registry::setValue(app, "Count", registry::dwordValue(2)), registry::Status::Success);
    ASSERT_TRUE(fs::moveFileEx("C:\\App\\new.exe", "C:\\old.dll",
                               fs::kMoveDelayUntilReboot | fs::kMoveReplaceExisting));
    ASSERT_TRUE(machine::requestRestart());
    registry::Key service = key(Root::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\KvDemo");
    ASSERT_EQ(registry::setValue(service, "ImagePath", registry::stringValue("true")),
              registry::Status::Success);

    const std::string pending = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\"
                                "Session Manager \"PendingFileRenameOperations\"";
    EXPECT_THAT(
        difference(before, takeSnapshot()),
        ElementsAre("added folder C:\\App", "added file C:\\App\\new.exe, 3 bytes, attributes A",
                    "removed file C:\\gone.txt", "changed file C:\\kept.txt: attributes A -> RH",
                    "changed file C:\\Long File Name.txt: short name none -> LONGFI~1.TXT",
                    "changed value HKEY_CURRENT_USER\\SOFTWARE\\Demo \"Name\": REG_SZ \"a\" -> "
                    "REG_SZ \"b\"",
                    "added key HKEY_LOCAL_MACHINE\\SOFTWARE\\App",
                    "added value HKEY_LOCAL_MACHINE\\SOFTWARE\\App \"Count\": REG_DWORD 2",
                    "added value " + pending +
                        ": REG_MULTI_SZ \"\\\\??\\\\C:\\\\App\\\\new.exe\", "
                        "\"!\\\\??\\\\C:\\\\old.dll\"",
                    "added key HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services",
                    "added key HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\KvDemo",
                    "added value HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\KvDemo "
                    "\"ImagePath\": REG_SZ \"true\"",
                    "added pending rename C:\\App\\new.exe -> C:\\old.dll (replacing)",
                    "restart mark set", "added service KvDemo: stopped"));
}

TEST(LogLines, CrLfLinesAreReadAndOtherBreaksNamed) {
    machine::testing::TempMachine machine;
    struct Case {
        const char* bytes;
        std::vector<std::string> lines; // empty with an error
        const char* error;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}, nullptr},
        {"a\r\n\r\nb", {"a", "", "b"}, nullptr},
        {"", {}, nullptr},
        {"a\nb\r\n", {}, "C:\\App\\Setup.log: line 1 does not end in CR LF"},
        {"a\r\nb\rc\r\n", {}, "C:\\App\\Setup.log: line 2 does not end in CR LF"},
        {"a\r\nb\r", {}, "C:\\App\\Setup.log: line 2 does not end in CR LF"},
    };
    ASSERT_TRUE(fs::createFolders("C:\\App"));
    for (const Case& c : cases) {
        ASSERT_TRUE(fs::writeFile("C:\\App\\Setup.log", c.bytes));
        std::string why;
        const auto lines = readSetupLog("C:\\App\\", &why);
        EXPECT_EQ(lines.has_value(), c.error == nullptr) << c.bytes;
        if (lines) {
            EXPECT_EQ(*lines, c.lines) << c.bytes;
        } else if (c.error) {
            EXPECT_EQ(why, c.error);
        }
    }
    ASSERT_TRUE(fs::writeFile("C:\\App\\UnInstall_X1.txt", "DELETE_FILE(a)\r\n"));
    EXPECT_THAT(readUninstallScript("C:\\App", "X1").value_or(std::vector<std::string>{}),
                ElementsAre("DELETE_FILE(a)"));
    std::string why;
    EXPECT_FALSE(readUninstallScript("C:\\App", "", &why));
    EXPECT_EQ(why, "C:\\App\\UnInstall.txt: cannot be read");
}

} // namespace
} // namespace kv::e2e
