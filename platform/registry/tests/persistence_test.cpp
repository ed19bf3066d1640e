#include "platform/registry/internal/hive_store.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kv::registry {
namespace {

namespace fs = std::filesystem;

class RegistryPersistence : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kv-regp-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        open();
    }
    void TearDown() override {
        resetForTests();
        fs::remove_all(folder_);
    }
    // What a new process sees: no cached hives.
    void open() {
        resetForTests();
        setHiveFolder(folder_.string());
    }
    // Runs fn in a child process that opens the registry anew; returns its exit status.
    template <typename Fn> int inChild(Fn fn) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            open();
            fn();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }
    static std::string readText(const Key& key, std::string_view name) {
        Value v;
        return queryValue(key, name, v) == Status::Success ? textOf(v) : "<missing>";
    }
    static Key userKey(std::string_view path) {
        Key k;
        createKey(rootKey(Root::CurrentUser), path, k);
        return k;
    }
    fs::path folder_;
};

TEST_F(RegistryPersistence, ValuesSurviveANewProcessAndReadersSeeOtherWriters) {
    Key k = userKey("Software\\Kv");
    ASSERT_EQ(setValue(k, "first", stringValue("1")), Status::Success);
    EXPECT_EQ(readText(k, "first"), "1"); // cached in this process
    ASSERT_EQ(inChild([] { setValue(userKey("Software\\Kv"), "second", stringValue("2")); }), 0);
    EXPECT_EQ(readText(k, "second"), "2"); // the reader reloads the changed file
    open();
    EXPECT_EQ(readText(k, "first"), "1");
}

TEST_F(RegistryPersistence, ConcurrentWritersLoseNothing) {
    constexpr int kWriters = 6;
    constexpr int kValuesEach = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            open();
            Key k = userKey("Stress");
            for (int i = 0; i < kValuesEach; ++i)
                if (setValue(k, "w" + std::to_string(w) + "v" + std::to_string(i),
                             dwordValue(static_cast<std::uint32_t>(i))) != Status::Success)
                    ::_exit(1);
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    open();
    std::vector<std::string> names;
    ASSERT_EQ(valueNames(userKey("Stress"), names), Status::Success);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kWriters * kValuesEach));
}

TEST_F(RegistryPersistence, AProcessKilledWhileSavingLeavesALoadableHive) {
    Key k = userKey("Crash");
    ASSERT_EQ(setValue(k, "kept", stringValue("yes")), Status::Success);
    const int status = inChild([] {
        internal::setSaveHookForTests([] { ::_exit(3); }); // dies halfway through the write
        setValue(userKey("Crash"), "lost", stringValue("no"));
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    open();
    EXPECT_EQ(readText(k, "kept"), "yes");
    EXPECT_EQ(readText(k, "lost"), "<missing>");
    EXPECT_EQ(setValue(k, "after", stringValue("ok")), Status::Success);
    for (const auto& entry : fs::directory_iterator(folder_))
        EXPECT_EQ(entry.path().string().find(".tmp."), std::string::npos) << entry.path();
}

TEST_F(RegistryPersistence, ACorruptHiveIsReportedAndKeptAside) {
    ASSERT_EQ(setValue(userKey("Doomed"), "v", stringValue("1")), Status::Success);
    const fs::path hive = folder_ / "user.hive";
    ASSERT_TRUE(fs::exists(hive));
    const std::string garbage = "this is not a hive\n\x01\x02";
    std::ofstream(hive, std::ios::binary | std::ios::trunc) << garbage;
    open();

    ::testing::internal::CaptureStderr();
    Key k;
    EXPECT_EQ(openKey(rootKey(Root::CurrentUser), "Doomed", k), Status::FileNotFound);
    const std::string report = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("damaged"), std::string::npos) << report;

    const fs::path aside = folder_ / "user.hive.corrupt";
    ASSERT_TRUE(fs::exists(aside));
    std::stringstream kept;
    kept << std::ifstream(aside, std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), garbage);
    // The hive starts anew and a later corruption does not replace the first copy.
    EXPECT_EQ(setValue(userKey("Fresh"), "v", stringValue("1")), Status::Success);
    std::ofstream(hive, std::ios::binary | std::ios::trunc) << "second garbage";
    open();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(keyExists(userKey("Fresh")) && readText(userKey("Fresh"), "v") == "1");
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(fs::exists(folder_ / "user.hive.corrupt-2"));
}

} // namespace
} // namespace kv::registry
