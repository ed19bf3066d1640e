#include "platform/registry/registry.h"
#include "platform/registry/settings.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

namespace kv::registry {
namespace {

using machine::testing::TempMachine;
using machine::testing::windowsProfile;

std::string text(Root root, std::string_view path, std::string_view name) {
    Key k;
    Value v;
    if (openKey(rootKey(root), path, k) != Status::Success ||
        queryValue(k, name, v) != Status::Success)
        return "<missing>";
    return textOf(v);
}

class MachineRegistry : public ::testing::Test {
protected:
    void SetUp() override { resetForTests(); }
    void TearDown() override { resetForTests(); }
};

TEST_F(MachineRegistry, ANewMachineIsSeeded) {
    TempMachine m;
    const char* cv = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    EXPECT_EQ(text(Root::LocalMachine, cv, "ProgramFilesDir"), "C:\\Program Files");
    EXPECT_EQ(text(Root::LocalMachine, cv, "CommonFilesDir"), "C:\\Program Files\\Common Files");
    EXPECT_EQ(text(Root::LocalMachine, cv, "RegisteredOwner"), "Administrator");
    EXPECT_EQ(text(Root::LocalMachine, cv, "RegisteredOrganization"), "");
    const char* sf = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    EXPECT_EQ(text(Root::CurrentUser, sf, "Fonts"), "C:\\WINDOWS\\Fonts");
    EXPECT_EQ(text(Root::CurrentUser, sf, "Desktop"),
              "C:\\Documents and Settings\\Administrator\\Desktop");
    EXPECT_EQ(text(Root::LocalMachine, sf, "Common Programs"),
              "C:\\Documents and Settings\\All Users\\Start Menu\\Programs");
    EXPECT_EQ(text(Root::LocalMachine, sf, "Desktop"), "<missing>");
    Key cpu;
    Value mhz;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine),
                      "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", cpu),
              Status::Success);
    ASSERT_EQ(queryValue(cpu, "~MHz", mhz), Status::Success);
    EXPECT_GT(dwordOf(mhz).value_or(0), 100u);
    EXPECT_NE(text(Root::LocalMachine,
                   "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "Path"),
              "<missing>");
}

TEST_F(MachineRegistry, SeedsFollowTheProfileAndChangesAreNotSeededOver) {
    machine::Profile p = windowsProfile("98");
    p.userName = "Dana";
    TempMachine m(p);
    EXPECT_EQ(
        text(Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner"),
        "Dana");
    Key cv;
    ASSERT_EQ(
        openKey(rootKey(Root::LocalMachine), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", cv),
        Status::Success);
    ASSERT_EQ(setValue(cv, "RegisteredOwner", stringValue("Changed")), Status::Success);
    resetForTests(); // as a new process on the same machine
    EXPECT_EQ(
        text(Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner"),
        "Changed");
}

TEST_F(MachineRegistry, EachMachineHasItsOwnRegistry) {
    {
        TempMachine first;
        ASSERT_TRUE(saveSetting("Kestrovane", "Settings", "UserName", "alice"));
        EXPECT_EQ(getSetting("Kestrovane", "Settings", "UserName", ""), "alice");
    }
    TempMachine second;
    EXPECT_EQ(getSetting("Kestrovane", "Settings", "UserName", "none"), "none");
}

} // namespace
} // namespace kv::registry
