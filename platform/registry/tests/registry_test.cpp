#include "platform/registry/registry.h"
#include "platform/registry/settings.h"
#include "platform/registry/tests/temp_folder.h"

#include <gtest/gtest.h>

namespace kv::registry {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setHiveFolder(folder.path()); }
    void TearDown() override { resetForTests(); }

    Key create(Root root, std::string_view path) {
        Key k;
        EXPECT_EQ(createKey(rootKey(root), path, k), Status::Success) << path;
        return k;
    }

    testing::TempFolder folder;
};

TEST_F(RegistryTest, KeysAndValueNamesIgnoreCaseAndKeepTheirSpelling) {
    const Key k = create(Root::LocalMachine, "Software\\Acme\\Widget");
    ASSERT_EQ(setValue(k, "InstallDir", stringValue("C:\\Acme")), Status::Success);

    Key other;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine), "SOFTWARE\\acme\\WIDGET", other),
              Status::Success);
    Value v;
    ASSERT_EQ(queryValue(other, "installdir", v), Status::Success);
    EXPECT_EQ(textOf(v), "C:\\Acme");

    // A second write in other case changes the data, not the name's spelling.
    ASSERT_EQ(setValue(other, "INSTALLDIR", stringValue("D:\\")), Status::Success);
    std::vector<std::string> names;
    ASSERT_EQ(valueNames(k, names), Status::Success);
    EXPECT_EQ(names, std::vector<std::string>{"InstallDir"});
    ASSERT_EQ(subKeyNames(create(Root::LocalMachine, "software\\ACME"), names), Status::Success);
    EXPECT_EQ(names, std::vector<std::string>{"Widget"});

    // Accented letters fold too.
    create(Root::CurrentUser, "Caf\xE9");
    EXPECT_TRUE(keyExists(Key{Root::CurrentUser, "CAF\xC9"}));
}

TEST_F(RegistryTest, EveryValueTypeRoundTrips) {
    const Key k = create(Root::CurrentUser, "Software\\Types");
    const std::pair<const char*, Value> values[] = {
        {"", stringValue("default text")},
        {"sz", stringValue("text \xE9")},
        {"expand", stringValue("%SystemRoot%\\x", ValueType::ExpandString)},
        {"dword", dwordValue(0xDEADBEEF)},
        {"binary", binaryValue(std::string("\0\x01\xFF\n%", 5))},
        {"multi", multiStringValue({"one", "two words", "three"})},
        {"empty binary", binaryValue("")},
    };
    for (const auto& [name, value] : values)
        ASSERT_EQ(setValue(k, name, value), Status::Success) << name;
    resetForTests(); // drop the cache: everything comes back from the file
    setHiveFolder(folder.path());
    for (const auto& [name, value] : values) {
        Value got;
        ASSERT_EQ(queryValue(k, name, got), Status::Success) << name;
        EXPECT_EQ(got, value) << name;
    }
    Value got;
    ASSERT_EQ(queryValue(k, "dword", got), Status::Success);
    EXPECT_EQ(dwordOf(got), 0xDEADBEEFu);
    ASSERT_EQ(queryValue(k, "multi", got), Status::Success);
    EXPECT_EQ(stringsOf(got), (std::vector<std::string>{"one", "two words", "three"}));
    ASSERT_EQ(queryValue(k, "", got), Status::Success);
    EXPECT_EQ(got.data, std::string("default text\0", 13)); // the terminating zero is stored
}

TEST_F(RegistryTest, EnumerationOrdersKeysByNameAndValuesByFirstWrite) {
    const Key k = create(Root::CurrentUser, "Enum");
    for (const char* sub : {"beta", "Alpha", "gamma"})
        create(Root::CurrentUser, std::string("Enum\\") + sub);
    for (const char* name : {"z", "a", "m"})
        ASSERT_EQ(setValue(k, name, dwordValue(1)), Status::Success);

    std::vector<std::string> keys;
    std::string name;
    for (std::size_t i = 0; enumKey(k, i, name) == Status::Success; ++i)
        keys.push_back(name);
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(enumKey(k, 3, name), Status::NoMoreItems);

    std::vector<std::string> values;
    Value v;
    for (std::size_t i = 0; enumValue(k, i, name, v) == Status::Success; ++i)
        values.push_back(name);
    EXPECT_EQ(values, (std::vector<std::string>{"z", "a", "m"}));
    EXPECT_EQ(enumValue(k, 3, name, v), Status::NoMoreItems);
}

TEST_F(RegistryTest, ClassesRootIsTheMachinesSoftwareClasses) {
    const Key ext = create(Root::ClassesRoot, ".txt");
    ASSERT_EQ(setValue(ext, "", stringValue("txtfile")), Status::Success);
    Key viaMachine;
    ASSERT_EQ(openKey(rootKey(Root::LocalMachine), "Software\\Classes\\.TXT", viaMachine),
              Status::Success);
    Value v;
    ASSERT_EQ(queryValue(viaMachine, "", v), Status::Success);
    EXPECT_EQ(textOf(v), "txtfile");
    // Roots always open, even before anything was written below them.
    Key root;
    EXPECT_EQ(openKey(rootKey(Root::CurrentConfig), "", root), Status::Success);
    std::string name;
    EXPECT_EQ(enumKey(rootKey(Root::CurrentConfig), 0, name), Status::NoMoreItems);
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
    create(Root::CurrentUser, "Software\\App\\Sub\\Deeper");
    Key app = create(Root::CurrentUser, "Software\\App");
    ASSERT_EQ(setValue(app, "v", stringValue("x")), Status::Success);

    // A single-key delete fails while subkeys exist, and leaves everything in place.
    EXPECT_EQ(deleteKey(rootKey(Root::CurrentUser), "Software\\App"), Status::AccessDenied);
    EXPECT_TRUE(keyExists(Key{Root::CurrentUser, "Software\\App\\Sub\\Deeper"}));
    EXPECT_EQ(deleteKey(app, "Sub\\Deeper"), Status::Success);
    EXPECT_EQ(deleteKey(app, "sub"), Status::Success);
    EXPECT_FALSE(keyExists(Key{Root::CurrentUser, "Software\\App\\Sub"}));
    EXPECT_EQ(deleteKey(app, "Sub"), Status::FileNotFound);

    // A tree delete removes the key with everything below it.
    create(Root::CurrentUser, "Software\\App\\A\\B\\C");
    EXPECT_EQ(deleteTree(rootKey(Root::CurrentUser), "software\\app"), Status::Success);
    EXPECT_FALSE(keyExists(app));
    EXPECT_EQ(deleteTree(rootKey(Root::CurrentUser), "Software\\App"), Status::FileNotFound);

    // An empty subkey empties the key itself.
    Key k = create(Root::CurrentUser, "Software\\Keep\\Child");
    k = create(Root::CurrentUser, "Software\\Keep");
    ASSERT_EQ(setValue(k, "v", dwordValue(3)), Status::Success);
    EXPECT_EQ(deleteTree(k, ""), Status::Success);
    EXPECT_TRUE(keyExists(k));
    std::vector<std::string> names;
    ASSERT_EQ(subKeyNames(k, names), Status::Success);
    EXPECT_TRUE(names.empty());

    // Values.
    ASSERT_EQ(setValue(k, "Gone", dwordValue(1)), Status::Success);
    EXPECT_EQ(deleteValue(k, "GONE"), Status::Success);
    Value v;
    EXPECT_EQ(queryValue(k, "Gone", v), Status::FileNotFound);
    EXPECT_EQ(deleteValue(k, "Gone"), Status::FileNotFound);

    // Roots themselves cannot be deleted.
    EXPECT_EQ(deleteKey(rootKey(Root::ClassesRoot), ""), Status::AccessDenied);
    EXPECT_EQ(deleteTree(rootKey(Root::LocalMachine), ""), Status::AccessDenied);
}

TEST_F(RegistryTest, MissingKeysAndValuesAreReportedNotCreated) {
    Key k;
    EXPECT_EQ(openKey(rootKey(Root::LocalMachine), "Software\\Nothing", k), Status::FileNotFound);
    EXPECT_EQ(setValue(Key{Root::LocalMachine, "Software\\Nothing"}, "v", dwordValue(1)),
              Status::FileNotFound);
    EXPECT_FALSE(keyExists(Key{Root::LocalMachine, "Software\\Nothing"}));
    bool created = false;
    ASSERT_EQ(createKey(rootKey(Root::LocalMachine), "Software\\Nothing", k, &created),
              Status::Success);
    EXPECT_TRUE(created);
    ASSERT_EQ(createKey(rootKey(Root::LocalMachine), "software\\nothing", k, &created),
              Status::Success);
    EXPECT_FALSE(created);
}

TEST_F(RegistryTest, RootNames) {
    EXPECT_EQ(rootByName("hkey_local_machine"), Root::LocalMachine);
    EXPECT_EQ(rootByName("HKEY_DYN_DATA"), Root::DynData);
    EXPECT_EQ(rootByName("HKLM"), std::nullopt);
    EXPECT_EQ(rootName(Root::ClassesRoot), "HKEY_CLASSES_ROOT");
}

TEST_F(RegistryTest, SettingsStoreReturnsDefaultsUntilWritten) {
    EXPECT_EQ(getSetting("Kestrovane", "Settings", "MainLeft", "1000"), "1000");
    ASSERT_TRUE(saveSetting("Kestrovane", "Settings", "MainLeft", "2740"));
    EXPECT_EQ(getSetting("kestrovane", "settings", "mainleft", "1000"), "2740");
    EXPECT_FALSE(saveSetting("", "Settings", "k", "v"));
}

} // namespace
} // namespace kv::registry
