#include "platform/registry/registry.h"
#include "platform/registry/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kv::registry {
namespace {

// A fresh hive folder for each test.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("kv-reg-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        resetForTests();
        setHiveFolder(folder_.string());
    }
    void TearDown() override {
        resetForTests();
        std::filesystem::remove_all(folder_);
    }
    Key create(Root root, std::string_view path) {
        Key k;
        EXPECT_EQ(createKey(rootKey(root), path, k), Status::Success) << path;
        return k;
    }
    std::filesystem::path folder_;
};

TEST_F(RegistryTest, KeysAndValuesIgnoreCaseAndKeepTheirSpelling) {
    Key k = create(Root::LocalMachine, "Software\\Acme\\App");
    ASSERT_EQ(setValue(k, "InstallDir", stringValue("C:\\Acme")), Status::Success);
    ASSERT_EQ(setValue(k, "INSTALLDIR", stringValue("C:\\New")), Status::Success);

    Key again;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine), "SOFTWARE\\acme\\APP", again), Status::Success);
    Value v;
    ASSERT_EQ(queryValue(again, "installdir", v), Status::Success);
    EXPECT_EQ(textOf(v), "C:\\New");
    std::vector<std::string> names;
    ASSERT_EQ(valueNames(again, names), Status::Success);
    EXPECT_EQ(names, std::vector<std::string>{"InstallDir"});
    ASSERT_EQ(subKeyNames(create(Root::LocalMachine, "software"), names), Status::Success);
    EXPECT_EQ(names, std::vector<std::string>{"Acme"});
}

TEST_F(RegistryTest, ValueKindsRoundTrip) {
    Key k = create(Root::CurrentUser, "Kinds");
    const std::vector<std::pair<std::string, Value>> values = {
        {"", stringValue("default")},
        {"sz", stringValue("text")},
        {"expand", stringValue("%SystemRoot%\\x", ValueType::ExpandString)},
        {"dword", dwordValue(0x80000001u)},
        {"binary", binaryValue(std::string("\0\x01\xFF", 3))},
        {"multi", multiStringValue({"a", "bc"})},
    };
    for (const auto& [name, value] : values)
        ASSERT_EQ(setValue(k, name, value), Status::Success);
    for (const auto& [name, value] : values) {
        Value read;
        ASSERT_EQ(queryValue(k, name, read), Status::Success) << name;
        EXPECT_EQ(read, value) << name;
    }
    Value read;
    ASSERT_EQ(queryValue(k, "dword", read), Status::Success);
    EXPECT_EQ(dwordOf(read), 0x80000001u);
    ASSERT_EQ(queryValue(k, "multi", read), Status::Success);
    EXPECT_EQ(stringsOf(read), (std::vector<std::string>{"a", "bc"}));
    std::string name;
    ASSERT_EQ(enumValue(k, 5, name, read), Status::Success);
    EXPECT_EQ(name, "multi");
    EXPECT_EQ(enumValue(k, 6, name, read), Status::NoMoreItems);
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
    Key app = create(Root::LocalMachine, "Software\\App");
    create(Root::LocalMachine, "Software\\App\\Sub");
    Key sw;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine), "Software", sw), Status::Success);

    EXPECT_EQ(deleteKey(sw, "App"), Status::AccessDenied); // it has a subkey
    EXPECT_EQ(deleteKey(app, "Sub"), Status::Success);
    EXPECT_EQ(deleteKey(sw, "App"), Status::Success);
    EXPECT_FALSE(keyExists(app));
    EXPECT_EQ(deleteKey(sw, "App"), Status::FileNotFound);

    create(Root::LocalMachine, "Software\\Tree\\A\\B");
    EXPECT_EQ(deleteTree(sw, "tree"), Status::Success);
    Key gone;
    EXPECT_EQ(openKey(sw, "Tree\\A", gone), Status::FileNotFound);

    ASSERT_EQ(setValue(sw, "v", dwordValue(1)), Status::Success);
    EXPECT_EQ(deleteValue(sw, "V"), Status::Success);
    EXPECT_EQ(deleteValue(sw, "V"), Status::FileNotFound);
    EXPECT_EQ(deleteKey(rootKey(Root::LocalMachine), ""), Status::AccessDenied); // a root
}

TEST_F(RegistryTest, ClassesRootIsTheMachinesSoftwareClasses) {
    Key ext = create(Root::ClassesRoot, ".kvx");
    ASSERT_EQ(setValue(ext, "", stringValue("Kv.File")), Status::Success);
    Key viaMachine;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine), "Software\\Classes\\.KVX", viaMachine),
              Status::Success);
    Value v;
    ASSERT_EQ(queryValue(viaMachine, "", v), Status::Success);
    EXPECT_EQ(textOf(v), "Kv.File");
    EXPECT_EQ(rootByName("hkey_classes_root"), Root::ClassesRoot);
    EXPECT_EQ(rootByName("HKCR"), std::nullopt);
}

TEST_F(RegistryTest, MissingKeysAndUnconfiguredRegistryFailQuietly) {
    Key k;
    Value v;
    EXPECT_EQ(openKey(rootKey(Root::CurrentUser), "No\\Such", k), Status::FileNotFound);
    EXPECT_EQ(queryValue(rootKey(Root::CurrentUser), "none", v), Status::FileNotFound);
    setHiveFolder("");
    EXPECT_EQ(createKey(rootKey(Root::CurrentUser), "x", k), Status::RegistryIoFailed);
}

TEST_F(RegistryTest, SettingsStoreReadsDefaultsAndKeepsText) {
    EXPECT_EQ(getSetting("Kestrovane", "Settings", "UserName", "nobody"), "nobody");
    ASSERT_TRUE(saveSetting("Kestrovane", "Settings", "UserName", "alice"));
    EXPECT_EQ(getSetting("KESTROVANE", "settings", "username", ""), "alice");
    EXPECT_FALSE(saveSetting("", "Settings", "k", "v"));
    EXPECT_FALSE(saveSetting("A\\B", "Settings", "k", "v"));
}

} // namespace
} // namespace kv::registry
