#include "installer/common/environment_ops.h"
#include "installer/common/ini_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/reset.h"
#include "installer/common/system_notices.h"
#include "machine_helpers.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;

TEST(IniOps, CreateWritesAndRemoveDeletesOnlyTheKey) {
    TempMachine m;
    const std::string file = "C:\\Program Files\\App\\app.ini";
    testing::makeFile(file, "[Main]\r\nKeep=1\r\nPath=old\r\n");
    const std::string rec = "," + file + ",main,PATH,C:\\App,Create,Remove,";
    EXPECT_TRUE(IniFileOp(rec, true));
    EXPECT_EQ(IniReadString(file, "Main", "Path", ""), "C:\\App");
    EXPECT_TRUE(IniFileOp(rec, false));
    EXPECT_EQ(IniReadString(file, "Main", "Path", "gone"), "gone");
    EXPECT_EQ(IniReadString(file, "Main", "Keep", ""), "1");
    EXPECT_FALSE(IniFileOp("," + file + ",Main,Keep,2,Update,Remove,", true));
    EXPECT_EQ(IniReadString(file, "Main", "Keep", ""), "1");
}

TEST(IniOps, FileNamesAreMachinePaths) {
    TempMachine m;
    // Any case of an existing folder finds it; a bare name is in the Windows folder.
    testing::makeFolder("C:\\Data");
    EXPECT_TRUE(IniWriteString("c:\\DATA\\a.ini", "S", "k", "v"));
    EXPECT_TRUE(std::filesystem::exists(m.hostFolder('C') / "Data" / "a.ini"));
    EXPECT_TRUE(IniWriteString("win.ini", "S", "k", "w"));
    EXPECT_EQ(IniReadString("C:\\WINDOWS\\WIN.INI", "s", "K", ""), "w");
    EXPECT_EQ(IniReadString("Q:\\none.ini", "S", "k", "dflt"), "dflt");
    EXPECT_FALSE(IniWriteString("Q:\\none.ini", "S", "k", "v"));
}

TEST(EnvironmentOps, SetAndDeleteBroadcastOnSuccess) {
    TempMachine m;
    resetCommonForTests();
    const std::string key =
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    EXPECT_TRUE(EnvironmentOp(",WELMOX_HOME,C:\\App,Create,Remove,", true));
    EXPECT_EQ(RegReadValue(key, "WELMOX_HOME", ""), "C:\\App");
    EXPECT_TRUE(EnvironmentOp(",WELMOX_HOME,C:\\App,Create,Remove,", false));
    EXPECT_EQ(RegReadValue(key, "WELMOX_HOME", "gone"), "gone");
    // Nothing to delete: no success, no broadcast.
    EXPECT_FALSE(EnvironmentOp(",WELMOX_HOME,C:\\App,Create,Remove,", false));
    EXPECT_FALSE(EnvironmentOp(",WELMOX_HOME,C:\\App,Set,Remove,", true));
    EXPECT_TRUE(SetSystemEnvVar("QUIET", "1", false));
    ASSERT_EQ(SentNotices().size(), 2u);
    for (const SystemNotice& n : SentNotices()) {
        EXPECT_EQ(n.kind, SystemNotice::Kind::SettingChange);
        EXPECT_EQ(n.text, "Environment");
        EXPECT_EQ(n.timeoutMs, 4000u);
    }
    resetCommonForTests();
}

} // namespace
} // namespace kv::installer
