#include "platform/registry/registry.h"
#include "platform/registry/seed.h"
#include "platform/system/machine.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kv::registry {
namespace {

std::string text(Root root, const std::string& path, const std::string& name) {
    Key k;
    Value v;
    if (openKey(rootKey(root), path, k) != Status::Success ||
        queryValue(k, name, v) != Status::Success)
        return "<missing>";
    return textOf(v);
}

class SeedTest : public ::testing::Test {
protected:
    void SetUp() override { resetForTests(); }
    void TearDown() override { resetForTests(); }
    machine::testing::TempMachine machine_;
};

TEST_F(SeedTest, ANewMachinesRegistryHoldsTheSeedValues) {
    const std::string cv = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    const std::string sf = cv + "\\Explorer\\Shell Folders";
    EXPECT_EQ(text(Root::LocalMachine, cv, "ProgramFilesDir"), "C:\\Program Files");
    EXPECT_EQ(text(Root::LocalMachine, cv, "CommonFilesDir"), "C:\\Program Files\\Common Files");
    EXPECT_EQ(text(Root::LocalMachine, cv, "RegisteredOwner"),
              machine::current().profile().userName);
    EXPECT_EQ(text(Root::LocalMachine, cv, "RegisteredOrganization"), "");
    EXPECT_NE(text(Root::CurrentUser, sf, "Desktop"), "<missing>");
    EXPECT_NE(text(Root::LocalMachine, sf, "Common Desktop"), "<missing>");
    EXPECT_EQ(text(Root::LocalMachine,
                   "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "windir"),
              "C:\\WINDOWS");
    Key cpu;
    Value mhz;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine),
                      "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", cpu),
              Status::Success);
    ASSERT_EQ(queryValue(cpu, "~MHz", mhz), Status::Success);
    EXPECT_GT(dwordOf(mhz).value_or(0), 0u);
    // The hives live in the machine folder.
    EXPECT_TRUE(std::filesystem::exists(machine::current().registryFolder() / "machine.hive"));
}

TEST_F(SeedTest, SeedingAgainKeepsValuesAlreadyThere) {
    Key k;
    ASSERT_EQ(
        createKey(rootKey(Root::LocalMachine), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", k),
        Status::Success);
    ASSERT_EQ(setValue(k, "RegisteredOwner", stringValue("Someone Else")), Status::Success);
    resetForTests();
    ASSERT_TRUE(seedMachineValues());
    Value v;
    ASSERT_EQ(queryValue(k, "RegisteredOwner", v), Status::Success);
    EXPECT_EQ(textOf(v), "Someone Else");
}

} // namespace
} // namespace kv::registry
