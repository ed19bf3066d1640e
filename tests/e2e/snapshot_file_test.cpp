// Snapshots kept in a file: what comes back is what was saved, whatever the names and data
// hold, and a file that is not a snapshot is refused.

#include "tests/e2e/snapshot_file.h"

#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kv::e2e {
namespace {

bool operator==(const Snapshot& a, const Snapshot& b) {
    return difference(a, b).empty() && a.files.size() == b.files.size() &&
           a.keys.size() == b.keys.size();
}

class SnapshotFile : public ::testing::Test {
protected:
    void SetUp() override { registry::resetForTests(); }
    void TearDown() override { registry::resetForTests(); }
    std::filesystem::path file() const { return machine_.folder() / "snapshot.txt"; }
    void write(const std::string& text) const { std::ofstream(file(), std::ios::binary) << text; }
    machine::testing::TempMachine machine_;
};

TEST_F(SnapshotFile, ComesBackAsSaved) {
    Snapshot s;
    s.files["C:\\Program Files"] = {.folder = true, .attributes = 0x10, .shortName = "PROGRA~1"};
    s.files["C:\\App\\100% done.txt"] = {
        .size = 3, .hash = 18446744073709551615ull, .attributes = 0x21};
    s.keys["HKEY_CURRENT_USER\\Software\\Empty"];
    auto& values = s.keys["HKEY_LOCAL_MACHINE\\SOFTWARE\\Tab\there"];
    values[""] = registry::stringValue("line one\r\nline two");
    values["50%"] = registry::binaryValue(std::string("\0\n\t%\xff", 5));
    values["Count"] = registry::dwordValue(7);
    s.pendingRenames = {"C:\\a -> C:\\b (replacing)", "C:\\c -> (deleted)"};
    s.restartMark = true;
    s.services["Sniper"] = 4;

    ASSERT_TRUE(saveSnapshot(s, file()));
    const std::optional<Snapshot> back = loadSnapshot(file());
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == s);
    EXPECT_EQ(back->keys.at("HKEY_LOCAL_MACHINE\\SOFTWARE\\Tab\there").at("50%"), values.at("50%"));
    EXPECT_EQ(back->pendingRenames, s.pendingRenames);
    EXPECT_TRUE(back->restartMark);
    EXPECT_EQ(back->files.at("C:\\Program Files").shortName, "PROGRA~1");
}

TEST_F(SnapshotFile, AMachineSavedAndTakenAgainShowsNoChange) {
    ASSERT_TRUE(saveSnapshot(takeSnapshot(), file()));
    const std::optional<Snapshot> back = loadSnapshot(file());
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(difference(*back, takeSnapshot()).empty());
}

TEST_F(SnapshotFile, RefusesWhatItDidNotWrite) {
    EXPECT_FALSE(loadSnapshot(file()).has_value()); // missing
    for (const char* text : {"", "kv-snapshot 2\n", "kv-snapshot 1\nfile\tC:\\a\t1\n",
                             "kv-snapshot 1\nvalue\tK\tN\tx\t\n", "kv-snapshot 1\nkey\tbad %4\n",
                             "kv-snapshot 1\nkey\tbad %zz\n", "kv-snapshot 1\nfolder\tC:\\\n"}) {
        write(text);
        EXPECT_FALSE(loadSnapshot(file()).has_value()) << text;
    }
}

} // namespace
} // namespace kv::e2e
