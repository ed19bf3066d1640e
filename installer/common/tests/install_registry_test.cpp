#include "installer/common/install_registry.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <chrono>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using machine::testing::windowsProfile;

const std::string kCv = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";

std::uint64_t readLe(const std::string& bytes, std::size_t offset, int width) {
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return v;
}

TEST(InstallRegistry, UninstallEntry) {
    TempMachine m;
    const std::string key =
        WriteUninstallEntry("Kestrovane", "C:\\App\\uninstall.exe", "2.1", "Welmox");
    EXPECT_EQ(key, kCv + "UnInstall\\Kestrovane");
    EXPECT_EQ(RegReadValue(key, "DisplayName", ""), "Kestrovane");
    EXPECT_EQ(RegReadValue(key, "DisplayVersion", ""), "2.1");
    EXPECT_EQ(RegReadValue(key, "Publisher", ""), "Welmox");
    EXPECT_EQ(ReadUninstallString("kestrovane", "none"), "C:\\App\\uninstall.exe");
    EXPECT_EQ(ReadUninstallString("Other", "none"), "none");
    EXPECT_EQ(WriteUninstallEntry("Other", "", "1", "W"), "");
    EXPECT_EQ(WriteUninstallEntry("", "x.exe", "1", "W"), "");
    EXPECT_FALSE(RegKeyExists(kCv + "UnInstall\\Other"));
    // The removal line of the uninstall script deletes it again.
    EXPECT_TRUE(RegDeleteKeyIfExists(key));
    EXPECT_FALSE(RegKeyExists(key));
}

TEST(InstallRegistry, InstallSizeRecord) {
    TempMachine m;
    const auto before = std::chrono::system_clock::now();
    const std::string key = WriteInstallSize("Kestrovane", "Kestrovane.exe", 0x1'2345'6789ull);
    ASSERT_EQ(key, kCv + "App Management\\ARPCache\\Kestrovane");
    const RegPath p = SplitRegPath(key);
    registry::Key k;
    ASSERT_EQ(registry::openKey(p.root, p.subKey, k), registry::Status::Success);
    registry::Value v;
    ASSERT_EQ(registry::queryValue(k, "SlowInfoCache", v), registry::Status::Success);
    EXPECT_EQ(v.type, registry::ValueType::Binary);
    ASSERT_EQ(v.data.size(), 552u);
    EXPECT_EQ(readLe(v.data, 0, 4), 552u);
    EXPECT_EQ(readLe(v.data, 4, 4), 1u);
    EXPECT_EQ(readLe(v.data, 8, 8), 0x1'2345'6789ull);
    const auto unixSeconds = [](std::uint64_t fileTime) {
        return static_cast<std::int64_t>(fileTime / 10'000'000ull) - 11'644'473'600ll;
    };
    const std::int64_t when = unixSeconds(readLe(v.data, 16, 8));
    const std::int64_t then =
        std::chrono::duration_cast<std::chrono::seconds>(before.time_since_epoch()).count();
    EXPECT_GE(when, then - 1);
    EXPECT_LE(when, then + 60);
    EXPECT_EQ(readLe(v.data, 24, 4), 5u);
    const std::string name = "Kestrovane.exe";
    for (std::size_t i = 0; i < name.size(); ++i)
        EXPECT_EQ(readLe(v.data, 28 + 2 * i, 2), static_cast<unsigned char>(name[i]));
    for (std::size_t at = 28 + 2 * name.size(); at < 552; ++at)
        ASSERT_EQ(v.data[at], '\0') << at;
    EXPECT_EQ(RegReadValue(key, "Changed", ""), "0");
}

TEST(InstallRegistry, InstallSizeOnlyWhereItApplies) {
    struct Case {
        const char* release;
        const char* program;
        const char* file;
        std::uint64_t size;
        bool written;
    };
    const Case cases[] = {
        {"95", "K", "k.exe", 10, false},  {"98", "K", "k.exe", 10, false},
        {"ME", "K", "k.exe", 10, false},  {"NT", "K", "k.exe", 10, false},
        {"2000", "K", "k.exe", 10, true}, {"XP", "K", "k.exe", 10, true},
        {"XP", "", "k.exe", 10, false},   {"XP", "K", "", 10, false},
        {"XP", "K", "k.exe", 0, false},
    };
    for (const Case& c : cases) {
        TempMachine m(windowsProfile(c.release));
        EXPECT_EQ(WriteInstallSize(c.program, c.file, c.size).empty(), !c.written) << c.release;
        EXPECT_EQ(RegKeyExists(kCv + "App Management\\ARPCache\\K"), c.written) << c.release;
    }
    // A name longer than the record keeps its terminating zero.
    TempMachine m;
    const std::string key = WriteInstallSize("K", std::string(400, 'n'), 1);
    registry::Key k;
    registry::Value v;
    const RegPath p = SplitRegPath(key);
    ASSERT_EQ(registry::openKey(p.root, p.subKey, k), registry::Status::Success);
    ASSERT_EQ(registry::queryValue(k, "SlowInfoCache", v), registry::Status::Success);
    ASSERT_EQ(v.data.size(), 552u);
    EXPECT_EQ(readLe(v.data, 548, 2), 'n');
    EXPECT_EQ(readLe(v.data, 550, 2), 0u);
}

TEST(InstallRegistry, AppPathsAndUserRegistration) {
    TempMachine m;
    EXPECT_EQ(WriteAppPath("C:\\Program Files\\App\\kv.exe"), kCv + "App Paths\\kv.exe");
    EXPECT_EQ(ReadAppPathExe("KV.EXE"), "C:\\Program Files\\App\\kv.exe");
    EXPECT_EQ(ReadAppPathDir("kv.exe"), "C:\\Program Files\\App");
    WriteAppPath("C:\\root.exe");
    EXPECT_EQ(ReadAppPathDir("root.exe"), "C");
    EXPECT_EQ(ReadAppPathExe("none.exe"), "");
    EXPECT_FALSE(RegKeyExists(kCv + "App Paths\\none.exe"));

    const std::string reg = WriteUserRegistration("Welmox", "Kestrovane\\", "\\2.1\\", "Ann", "");
    EXPECT_EQ(reg, "HKEY_LOCAL_MACHINE\\Software\\Welmox\\Kestrovane\\2.1");
    EXPECT_EQ(RegReadValue(reg, "Name", ""), "Ann");
    EXPECT_EQ(RegReadValue(reg, "Company", "none"), "none");
    EXPECT_EQ(WriteUserRegistration("Welmox", "", "2.1", "Ann", "W"), "");
    EXPECT_EQ(CreateProgramKey("Welmox", "Kestrovane", "Settings"),
              "HKEY_LOCAL_MACHINE\\Software\\Welmox\\Kestrovane");
    EXPECT_TRUE(RegKeyExists("HKEY_LOCAL_MACHINE\\Software\\Welmox\\Kestrovane\\Settings"));
    EXPECT_FALSE(GetRegisteredOwner().empty());
    RegWriteString(kCv, "RegisteredOrganization", "Welmox Ltd");
    EXPECT_EQ(GetRegisteredOrganization(), "Welmox Ltd");
}

TEST(InstallRegistry, SharedDllCounts) {
    TempMachine m;
    const std::string dll = "C:\\WINDOWS\\system32\\kvshared.dll";
    EXPECT_EQ(IncSharedDll(dll), 1u);
    EXPECT_EQ(IncSharedDll(dll), 2u);
    EXPECT_EQ(RegReadValue(kCv + "SharedDLLs", dll, ""), "2");
    RegWriteTyped(kCv + "SharedDLLs", "C:\\x.dll", "7", "Integer");
    EXPECT_EQ(IncSharedDll("C:\\x.dll"), 8u);
}

} // namespace
} // namespace kv::installer
