#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using registry::Root;

TEST(RegistryPrimitives, SplitRegPath) {
    struct Case {
        const char* path;
        Root root;
        const char* subKey;
    };
    const Case cases[] = {
        {"Software\\Welmox", Root::CurrentUser, "Software\\Welmox"},
        {"hkey_local_machine\\Software", Root::LocalMachine, "Software"},
        {"  HKEY_CLASSES_ROOT\\.txt  ", Root::ClassesRoot, ".txt"},
        {"HKEY_USERS\\.DEFAULT", Root::Users, ".DEFAULT"},
        {"HKEY_CURRENT_CONFIG\\Display", Root::CurrentConfig, "Display"},
        {"HKEY_DYN_DATA\\PerfStats", Root::DynData, "PerfStats"},
        {"HKEY_NOWHERE\\Software", Root::CurrentUser, "Software"},
        {"HKEY_LOCAL_MACHINE", Root::CurrentUser, "HKEY_LOCAL_MACHINE"},
    };
    for (const Case& c : cases) {
        const RegPath p = SplitRegPath(c.path);
        EXPECT_EQ(p.root.root, c.root) << c.path;
        EXPECT_EQ(p.subKey, c.subKey) << c.path;
    }
    EXPECT_EQ(RootKeyOf("bogus").root, Root::CurrentUser);
}

TEST(RegistryPrimitives, WriteReadDelete) {
    TempMachine m;
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Welmox\\Test";
    EXPECT_EQ(RegReadValue(key, "Name", "dflt"), "dflt");
    ASSERT_TRUE(RegWriteString(key, "Name", "value"));
    EXPECT_EQ(RegReadValue(key, "name", "dflt"), "value");
    ASSERT_TRUE(RegWriteTyped(key, "Count", "42", "Integer"));
    EXPECT_EQ(RegReadValue(key, "Count", ""), "42");
    // Data beyond the 2048-byte buffer cannot be read.
    ASSERT_TRUE(RegWriteString(key, "Long", std::string(3000, 'a')));
    EXPECT_EQ(RegReadValue(key, "Long", "dflt"), "dflt");
    EXPECT_TRUE(RegDeleteValueAt(key, "Name"));
    EXPECT_FALSE(RegDeleteValueAt(key, "Name"));
    EXPECT_EQ(RegReadValue(key, "Name", "dflt"), "dflt");
}

TEST(RegistryOps, WriteTypedAndReadString) {
    TempMachine m;
    const std::string key = "HKEY_CURRENT_USER\\Software\\Welmox\\Typed";
    struct Case {
        const char* value;
        const char* type;
        const char* read;
        bool isDword;
    };
    const Case cases[] = {
        {"text", "String", "text", false},     {"text", "STRING", "text", false},
        {"17", "Integer", "17", true},         {"abc", "integer", "0", true},
        {"-1", "Integer", "4294967295", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(RegWriteTyped(key, "v", c.value, c.type)) << c.value;
        bool isDword = !c.isDword;
        EXPECT_EQ(RegReadString(key, "v", isDword), c.read) << c.value << " " << c.type;
        EXPECT_EQ(isDword, c.isDword) << c.value;
    }
    // Another type creates the key and writes nothing.
    const std::string other = "HKEY_CURRENT_USER\\Software\\Welmox\\Other";
    EXPECT_TRUE(RegWriteTyped(other, "v", "x", "Binary"));
    EXPECT_TRUE(RegKeyExists(other));
    bool isDword = true;
    EXPECT_EQ(RegReadString(other, "v", isDword), "");
    EXPECT_FALSE(isDword);
}

TEST(RegistryOps, RecordRemoveDeletesTheWholeKey) {
    TempMachine m;
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Welmox\\App";
    ASSERT_TRUE(RegWriteString(key, "Before", "was here"));
    ASSERT_TRUE(RegWriteString(key + "\\Sub", "x", "y"));
    const std::string rec = "," + key + ",Version,1.0,Create,Remove,String,";
    EXPECT_TRUE(RegistryOp(rec, true));
    EXPECT_EQ(RegReadValue(key, "Version", ""), "1.0");
    EXPECT_EQ(RegReadValue(key, "Before", ""), "was here");
    EXPECT_TRUE(RegistryOp(rec, false));
    EXPECT_FALSE(RegKeyExists(key));
    EXPECT_TRUE(RegKeyExists("HKEY_LOCAL_MACHINE\\Software\\Welmox"));
    // Removing again: the key is gone, which is success.
    EXPECT_TRUE(RegistryOp(rec, false));
    EXPECT_TRUE(RegDeleteKeyIfExists("HKEY_LOCAL_MACHINE\\Software\\Nothing\\Here"));
}

TEST(RegistryOps, DeleteNeverTakesRootsOrTheSoftwareAndSystemKeys) {
    TempMachine m;
    RegWriteString("HKEY_CURRENT_USER\\Software\\Welmox", "v", "1");
    RegWriteString("HKEY_CLASSES_ROOT\\.welmox", "", "x");
    const char* refused[] = {
        "",
        "HKEY_LOCAL_MACHINE\\",
        "HKEY_CURRENT_USER\\",
        "HKEY_CLASSES_ROOT\\",
        "HKEY_USERS\\",
        "HKEY_CURRENT_CONFIG\\",
        "hkey_local_machine\\software",
        "HKEY_LOCAL_MACHINE\\Software\\",
        "HKEY_LOCAL_MACHINE\\\\Software",
        "HKEY_LOCAL_MACHINE\\SYSTEM",
        "HKEY_CURRENT_USER\\Software",
        "Software", // below HKEY_CURRENT_USER
    };
    for (const char* key : refused)
        EXPECT_FALSE(RegDeleteKeyIfExists(key)) << key;
    EXPECT_TRUE(RegKeyExists("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet"));
    EXPECT_TRUE(RegKeyExists("HKEY_CURRENT_USER\\Software\\Welmox"));
    EXPECT_TRUE(RegKeyExists("HKEY_CLASSES_ROOT\\.welmox"));
    // A record's "Remove" of such a key fails the same way.
    EXPECT_FALSE(RegistryOp(",HKEY_LOCAL_MACHINE\\Software,v,1,Create,Remove,String,", false));
    // Keys below them go as before.
    EXPECT_TRUE(RegDeleteKeyIfExists("HKEY_CURRENT_USER\\Software\\Welmox"));
    EXPECT_FALSE(RegKeyExists("HKEY_CURRENT_USER\\Software\\Welmox"));
    EXPECT_TRUE(RegDeleteKeyIfExists("HKEY_USERS\\.DEFAULT\\Nothing"));
}

TEST(RegistryOps, ActionWords) {
    TempMachine m;
    const std::string key = "HKEY_CURRENT_USER\\Software\\Welmox\\Words";
    struct Case {
        const char* install;
        const char* uninstall;
        bool installResult;
        bool exists;
    };
    const Case cases[] = {
        {"create", "remove", true, true},
        {"CREATE", "Keep", true, true},
        {"", "Remove", false, false},
        {"Add", "", false, false},
    };
    for (const Case& c : cases) {
        RegDeleteKeyIfExists(key);
        const std::string rec = "," + key + ",v,1," + c.install + "," + c.uninstall + ",Integer,";
        EXPECT_EQ(RegistryOp(rec, true), c.installResult) << c.install;
        EXPECT_EQ(RegKeyExists(key), c.exists) << c.install;
    }
    // An uninstall action word that is not known does nothing.
    ASSERT_TRUE(RegistryOp("," + key + ",v,1,Create,Keep,Integer,", true));
    EXPECT_FALSE(RegistryOp("," + key + ",v,1,Create,Keep,Integer,", false));
    EXPECT_TRUE(RegKeyExists(key));
}

} // namespace
} // namespace kv::installer
