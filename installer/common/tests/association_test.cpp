#include "installer/common/association_ops.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/reset.h"
#include "installer/common/system_notices.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;

const std::string kCr = "HKEY_CLASSES_ROOT\\";

class Associations : public ::testing::Test {
protected:
    void SetUp() override { resetCommonForTests(); }
    void TearDown() override { resetCommonForTests(); }
    TempMachine m_;
};

TEST_F(Associations, CreateQuotesTheCommandAndAddsTheArgument) {
    struct Case {
        const char* extension;
        const char* command;
        const char* expected;
    };
    const Case cases[] = {
        {"kvs", "C:\\App\\kv.exe", "\"C:\\App\\kv.exe\" \"%1\""},
        {".kvs", "\"C:\\App\\kv.exe\" /open", "\"C:\\App\\kv.exe\" /open \"%1\""},
        {".kvs", "C:\\App\\kv.exe %1", "\"C:\\App\\kv.exe %1\""},
        {".kvs", "\"C:\\App\\kv.exe\" \"%1\"", "\"C:\\App\\kv.exe\" \"%1\""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(CreateAssociation("Kestrovane.Snipe", "Snipe list", c.extension, c.command));
        EXPECT_EQ(RegReadValue(kCr + ".kvs", "", ""), "Kestrovane.Snipe") << c.command;
        EXPECT_EQ(RegReadValue(kCr + "Kestrovane.Snipe", "", ""), "Snipe list");
        EXPECT_EQ(RegReadValue(kCr + "Kestrovane.Snipe\\shell\\open\\command", "", ""), c.expected);
    }
    EXPECT_FALSE(RegKeyExists(kCr + "kvs"));
    EXPECT_FALSE(CreateAssociation("Kestrovane.Snipe", "Snipe list", ".kvs", ""));
    EXPECT_FALSE(CreateAssociation("", "Snipe list", ".kvs", "kv.exe"));
}

TEST_F(Associations, CreateDeletesWhatWasThereAndRemoveLeavesKeysWithSubkeys) {
    RegWriteString(kCr + ".kvs", "Content Type", "text/plain");
    RegWriteString(kCr + "Kestrovane.Snipe\\shell\\print\\command", "", "print.exe");
    const std::string rec = "|Kestrovane.Snipe|Snipe list|kvs||C:\\App\\kv.exe|||Create|Remove|";
    EXPECT_TRUE(AssociationOp(rec, true));
    EXPECT_EQ(RegReadValue(kCr + ".kvs", "Content Type", "gone"), "gone");
    EXPECT_FALSE(RegKeyExists(kCr + "Kestrovane.Snipe\\shell\\print"));
    EXPECT_TRUE(AssocChangedPending());

    EXPECT_TRUE(AssociationOp(rec, false));
    // The extension key had no subkeys and goes; the type key keeps shell\open\command.
    EXPECT_FALSE(RegKeyExists(kCr + ".kvs"));
    EXPECT_TRUE(RegKeyExists(kCr + "Kestrovane.Snipe\\shell\\open\\command"));
    // What Create deleted is not restored.
    EXPECT_FALSE(RegKeyExists(kCr + "Kestrovane.Snipe\\shell\\print"));

    EXPECT_FALSE(AssociationOp("|T|D|.x||cmd|||Make|Drop|", true));
}

TEST_F(Associations, NotifyTellsTheShellOnceAfterAChange) {
    NotifyAssocChanged();
    EXPECT_TRUE(SentNotices().empty());
    EXPECT_TRUE(RemoveAssociation("Nothing.Here", "none"));
    NotifyAssocChanged();
    NotifyAssocChanged();
    ASSERT_EQ(SentNotices().size(), 1u);
    EXPECT_EQ(SentNotices()[0].kind, SystemNotice::Kind::ShellChange);
    EXPECT_EQ(SentNotices()[0].event, kShellAssocChanged);
    EXPECT_EQ(SentNotices()[0].flags, kShellFlush);
    EXPECT_FALSE(AssocChangedPending());
}

TEST_F(Associations, OpenWithAddsAndRemovesTheVerb) {
    RegWriteString(kCr + ".txt", "", "txtfile");
    RegWriteString(kCr + ".log", "", "logfile");
    EXPECT_TRUE(
        OpenWithOp("KvOpen", "Open with Kestrovane", "C:\\App\\kv.exe", true, "*.txt; .log;;*.*"));
    for (const std::string key :
         {"Folder\\shell\\KvOpen", "txtfile\\Shell\\KvOpen", "logfile\\Shell\\KvOpen"}) {
        EXPECT_EQ(RegReadValue(kCr + key, "", ""), "Open with Kestrovane") << key;
        EXPECT_EQ(RegReadValue(kCr + key + "\\command", "", ""), "C:\\App\\kv.exe \"%1\"") << key;
    }
    // An extension without a file type gets nothing.
    EXPECT_TRUE(OpenWithOp("KvOpen", "Open", "kv.exe", true, ".none"));
    EXPECT_FALSE(RegKeyExists(kCr + "Shell\\KvOpen"));

    EXPECT_TRUE(OpenWithOp("KvOpen", "", "", false, "txt,log"));
    EXPECT_FALSE(RegKeyExists(kCr + "Folder\\shell\\KvOpen"));
    EXPECT_FALSE(RegKeyExists(kCr + "txtfile\\Shell\\KvOpen"));
    EXPECT_FALSE(RegKeyExists(kCr + "logfile\\Shell\\KvOpen"));
    EXPECT_TRUE(RegKeyExists(kCr + "txtfile"));

    EXPECT_FALSE(OpenWithOp("KvOpen", "Open", "kv.exe", true, ""));
    EXPECT_FALSE(OpenWithOp("KvOpen", "Open", "kv.exe", true, "*; . ;"));
    EXPECT_FALSE(OpenWithOp("", "Open", "kv.exe", true, ".txt"));
    EXPECT_FALSE(RegKeyExists(kCr + "Folder\\shell\\KvOpen"));
}

} // namespace
} // namespace kv::installer
