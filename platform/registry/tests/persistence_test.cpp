#include "platform/registry/internal/hive_store.h"
#include "platform/registry/registry.h"
#include "platform/registry/tests/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kv::registry {
namespace {

namespace fs = std::filesystem;

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs fn in a child process; returns its wait status.
template <typename Fn> int inChild(Fn fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        fn();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

class PersistenceTest : public ::testing::Test {
protected:
    void SetUp() override { setHiveFolder(folder.path()); }
    void TearDown() override { resetForTests(); }

    Key create(std::string_view path) {
        Key k;
        EXPECT_EQ(createKey(rootKey(Root::LocalMachine), path, k), Status::Success);
        return k;
    }
    std::string hivePath(const char* name) const { return folder.path() + "/" + name; }

    testing::TempFolder folder;
};

TEST_F(PersistenceTest, AnotherProcessSeesTheValuesAndReadersReload) {
    const Key k = create("Software\\Shared");
    ASSERT_EQ(setValue(k, "v", dwordValue(1)), Status::Success);
    Value v;
    ASSERT_EQ(queryValue(k, "v", v), Status::Success); // cached in this process now

    const int status = inChild([&] {
        Value seen;
        const bool ok = queryValue(k, "v", seen) == Status::Success && dwordOf(seen) == 1u &&
                        setValue(k, "v", dwordValue(2)) == Status::Success &&
                        setValue(k, "fromChild", stringValue("yes")) == Status::Success;
        ::_exit(ok ? 0 : 1);
    });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    ASSERT_EQ(queryValue(k, "v", v), Status::Success);
    EXPECT_EQ(dwordOf(v), 2u);
    ASSERT_EQ(queryValue(k, "FROMCHILD", v), Status::Success);
    EXPECT_EQ(textOf(v), "yes");
}

TEST_F(PersistenceTest, ConcurrentWritersLoseNothing) {
    constexpr int kChildren = 6;
    constexpr int kValuesEach = 20;
    create("Software\\Stress");
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> children;
    for (int c = 0; c < kChildren; ++c) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(gate[1]);
            char byte;
            (void)::read(gate[0], &byte, 1); // all children start together
            bool ok = true;
            for (int i = 0; i < kValuesEach; ++i) {
                Key k;
                const std::string own = "Software\\Stress\\Child" + std::to_string(c);
                ok = ok && createKey(rootKey(Root::LocalMachine), own, k) == Status::Success;
                ok = ok && setValue(Key{Root::LocalMachine, "Software\\Stress"},
                                    "c" + std::to_string(c) + "_" + std::to_string(i),
                                    dwordValue(static_cast<std::uint32_t>(c * 1000 + i))) ==
                               Status::Success;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const Key stress{Root::LocalMachine, "Software\\Stress"};
    std::vector<std::string> names;
    ASSERT_EQ(valueNames(stress, names), Status::Success);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kChildren * kValuesEach));
    for (int c = 0; c < kChildren; ++c) {
        EXPECT_TRUE(
            keyExists(Key{Root::LocalMachine, "Software\\Stress\\Child" + std::to_string(c)}));
        for (int i = 0; i < kValuesEach; ++i) {
            Value v;
            ASSERT_EQ(queryValue(stress, "c" + std::to_string(c) + "_" + std::to_string(i), v),
                      Status::Success);
            EXPECT_EQ(dwordOf(v), static_cast<std::uint32_t>(c * 1000 + i));
        }
    }
}

TEST_F(PersistenceTest, AProcessKilledWhileSavingLeavesTheHiveLoadable) {
    const Key k = create("Software\\Crash");
    ASSERT_EQ(setValue(k, "before", stringValue("kept")), Status::Success);

    const int status = inChild([&] {
        internal::setSaveHookForTests([] { ::raise(SIGKILL); });
        setValue(k, "after", stringValue(std::string(10000, 'x')));
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    resetForTests(); // read the file afresh, as a new process would
    setHiveFolder(folder.path());
    ::testing::internal::CaptureStderr();
    Value v;
    ASSERT_EQ(queryValue(k, "before", v), Status::Success);
    EXPECT_EQ(textOf(v), "kept");
    EXPECT_EQ(queryValue(k, "after", v), Status::FileNotFound);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    // The next save clears the half-written temporary file.
    auto temporaries = [&] {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            n += entry.path().filename().string().find(".tmp.") != std::string::npos;
        return n;
    };
    EXPECT_EQ(temporaries(), 1);
    ASSERT_EQ(setValue(k, "later", dwordValue(1)), Status::Success);
    EXPECT_EQ(temporaries(), 0);
}

TEST_F(PersistenceTest, ACorruptHiveIsReportedAndKeptAside) {
    const std::string hive = hivePath("user.hive");
    const std::string garbage = "KVHIVE 1 4\nK Software\nV 1 zz broken\n";
    std::ofstream(hive, std::ios::binary) << garbage;

    ::testing::internal::CaptureStderr();
    Value v;
    EXPECT_EQ(queryValue(Key{Root::CurrentUser, "Software"}, "broken", v), Status::FileNotFound);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(hive), std::string::npos) << err;
    EXPECT_NE(err.find("damaged"), std::string::npos) << err;
    EXPECT_NE(err.find("user.hive.corrupt"), std::string::npos) << err;
    EXPECT_EQ(slurp(hive + ".corrupt"), garbage);

    // The registry goes on with a new hive; the damaged file stays as it was.
    Key k;
    ASSERT_EQ(createKey(rootKey(Root::CurrentUser), "Software\\New", k), Status::Success);
    ASSERT_EQ(setValue(k, "v", dwordValue(7)), Status::Success);
    EXPECT_EQ(slurp(hive + ".corrupt"), garbage);

    // A second damaged file does not replace the first one kept aside.
    std::ofstream(hive, std::ios::binary | std::ios::trunc) << "second";
    resetForTests();
    setHiveFolder(folder.path());
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(keyExists(k));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(slurp(hive + ".corrupt"), garbage);
    EXPECT_EQ(slurp(hive + ".corrupt-2"), "second");
}

TEST_F(PersistenceTest, AnUnreadableHiveFailsEveryCallAndIsNotReplaced) {
    fs::create_directory(hivePath("machine.hive")); // a folder where the file should be
    ::testing::internal::CaptureStderr();
    Key k;
    EXPECT_EQ(createKey(rootKey(Root::LocalMachine), "Software", k), Status::RegistryIoFailed);
    Value v;
    EXPECT_EQ(queryValue(rootKey(Root::ClassesRoot), "", v), Status::RegistryIoFailed);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("machine.hive"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_directory(hivePath("machine.hive")));
    // Other hives are unaffected.
    EXPECT_EQ(createKey(rootKey(Root::CurrentUser), "Software", k), Status::Success);
}

} // namespace
} // namespace kv::registry
