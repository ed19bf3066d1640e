#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/processes.h"
#include "platform/process/services.h"
#include "platform/system/process_list.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = kv::fs;
using namespace std::chrono_literals;

struct Result {
    int status = -1;
    std::string out;
};

// Runs kvmachine as its own process on the test's machine. Its output goes to a file: a
// program it started without waiting keeps its standard output.
Result kvmachine(const std::string& args) {
    Result r;
    const std::filesystem::path out = std::filesystem::path(std::getenv("KV_MACHINE")) / "out.txt";
    const int status = std::system(
        (std::string(KV_KVMACHINE) + " " + args + " >'" + out.string() + "' 2>/dev/null").c_str());
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(out, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    r.out = s.str();
    return r;
}

class KvmachineTest : public ::testing::Test {
protected:
    KvmachineTest() {
        fs::resetForTests();
        fs::createFolders("C:\\My Tools");
    }
    ~KvmachineTest() override { fs::resetForTests(); }

    std::filesystem::path script(const std::string& path, const std::string& body) {
        EXPECT_TRUE(fs::writeFile(path, "#!/bin/sh\n" + body));
        const auto host = fs::hostPath(path);
        ::chmod(host.c_str(), 0755);
        return host;
    }

    kv::machine::testing::TempMachine machine_;
};

TEST_F(KvmachineTest, RunWaitPrintsTheExitCode) {
    const auto host = script("C:\\My Tools\\code.sh",
                             "printf '%s|%s\\n' \"$1\" \"$2\" > \"$(dirname \"$0\")/args.txt\"\n"
                             "exit 3\n");
    const Result r = kvmachine("run --wait --hide 'C:\\My Tools\\code.sh' -n 'with a blank'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "3\n");
    std::ifstream in(host.parent_path() / "args.txt");
    std::string args;
    std::getline(in, args);
    EXPECT_EQ(args, "-n|with a blank");
}

TEST_F(KvmachineTest, AProgramStartedWithoutWaitingOutlivesItsStarter) {
    const auto host = script("C:\\My Tools\\long.sh",
                             "n=0; while [ ! -e \"$(dirname \"$0\")/stop\" ] && [ $n -lt 400 ]; "
                             "do sleep 0.05; n=$((n+1)); done\n");
    const Result started = kvmachine("run 'C:\\My Tools\\long.sh'");
    ASSERT_EQ(started.status, 0); // kvmachine has ended
    const int id = std::atoi(started.out.c_str());
    ASSERT_GT(id, 0);
    EXPECT_TRUE(kv::process::isProcessAlive(id));
    EXPECT_EQ(kvmachine("ps").out, std::to_string(id) + "\tC:\\My Tools\\long.sh\n");
    EXPECT_FALSE(fs::deleteFile("C:\\My Tools\\long.sh"));

    EXPECT_EQ(kvmachine("kill " + std::to_string(id)).status, 0);
    EXPECT_FALSE(kv::process::isProcessAlive(id));
    EXPECT_TRUE(fs::deleteFile("C:\\My Tools\\long.sh"));
    EXPECT_EQ(kvmachine("ps").out, "");
    EXPECT_EQ(kvmachine("kill " + std::to_string(id)).status, 1);
}

TEST_F(KvmachineTest, AServiceStartedInOneProcessIsSeenRunningInAnother) {
    namespace p = kv::process;
    const auto log = fs::hostPath("C:\\My Tools") / "service.log";
    const auto host = script("C:\\My Tools\\watch.sh",
                             "trap 'echo ended >> \"$1\"; exit 0' TERM\necho started >> \"$1\"\n"
                             "while :; do sleep 0.05; done\n");
    // The command is a host shell line: its paths (with a blank) are quoted for that shell.
    ASSERT_EQ(kvmachine("service add KvWatch 'Kestrovane Watch' -- /bin/sh \"'" + host.string() +
                        "'\" \"'" + log.string() + "'\"")
                  .status,
              0);
    EXPECT_EQ(kvmachine("service list").out, "KvWatch\tKestrovane Watch\tstopped\n");

    p::ServiceHandle manager = p::OpenSCManager("ServicesActive");
    std::string key;
    ASSERT_TRUE(p::GetServiceKeyName(manager, "kestrovane watch", key));
    p::ServiceHandle service = p::OpenService(manager, key);
    ASSERT_TRUE(p::StartService(service));
    EXPECT_EQ(kvmachine("service list").out, "KvWatch\tKestrovane Watch\trunning\n");
    // Stop only once the command has set its trap and written its first line: on a loaded
    // machine the stop could otherwise come first.
    for (int i = 0; i < 500 && !std::filesystem::exists(log); ++i)
        std::this_thread::sleep_for(10ms);

    p::ServiceStatus status;
    ASSERT_TRUE(p::ControlService(service, p::kServiceControlStop, status));
    for (int i = 0; i < 500 && status.currentState != p::kServiceStopped; ++i) {
        std::this_thread::sleep_for(10ms);
        p::QueryServiceStatus(service, status);
    }
    EXPECT_EQ(kvmachine("service list").out, "KvWatch\tKestrovane Watch\tstopped\n");
    // The service is its command line's shell, which may end before the script it runs
    // has written its last line: wait for that line a while.
    const auto logText = [&log] {
        std::ifstream in(log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    for (int i = 0; i < 500 && logText() != "started\nended\n"; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(logText(), "started\nended\n"); // the command ran and ended

    EXPECT_EQ(kvmachine("service remove kvwatch").status, 0);
    EXPECT_EQ(kvmachine("service list").out, "");
    EXPECT_EQ(kvmachine("service remove KvWatch").status, 1);
    EXPECT_EQ(kvmachine("service add KvWatch 'Kestrovane Watch' /bin/true").status, 2);
}

// A batch in the foreground, and one started by "run": kvmachine runs again as its
// interpreter, which deletes a program once it has ended and then the batch itself.
TEST_F(KvmachineTest, BatchFilesRun) {
    const std::string tools = fs::shortPath("C:\\My Tools");
    ASSERT_EQ(tools, "C:\\MYTOOL~1");
    ASSERT_TRUE(fs::writeFile("C:\\My Tools\\a.txt", "x"));
    ASSERT_TRUE(fs::writeFile("C:\\My Tools\\now.bat",
                              "IF EXIST C:\\MYTOOL~1\\a.txt DEL C:\\MYTOOL~1\\a.txt\r\n"));
    EXPECT_EQ(kvmachine("batch 'C:\\My Tools\\now.bat'").status, 0);
    EXPECT_FALSE(fs::exists("C:\\My Tools\\a.txt"));
    EXPECT_EQ(kvmachine("batch 'C:\\My Tools\\none.bat'").status, 1);

    script("C:\\My Tools\\long.sh",
           "n=0; while [ ! -e \"$(dirname \"$0\")/stop\" ] && [ $n -lt 400 ]; "
           "do sleep 0.05; n=$((n+1)); done\n");
    const int id = std::atoi(kvmachine("run 'C:\\My Tools\\long.sh'").out.c_str());
    ASSERT_GT(id, 0);
    ASSERT_TRUE(fs::writeFile("C:\\My Tools\\later.bat",
                              ":START\r\nDEL C:\\MYTOOL~1\\long.sh\r\nIF errorlevel 1 GOTO "
                              "START\r\nDEL C:\\MYTOOL~1\\later.bat\r\n"));
    EXPECT_EQ(kvmachine("run --hide 'C:\\My Tools\\later.bat'").status, 0);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(kvmachine("ps").out, std::to_string(id) + "\tC:\\My Tools\\long.sh\n");
    ASSERT_TRUE(fs::writeFile("C:\\My Tools\\stop", ""));
    for (int i = 0; i < 500 && fs::exists("C:\\My Tools\\later.bat"); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(fs::exists("C:\\My Tools\\later.bat"));
    EXPECT_FALSE(fs::exists("C:\\My Tools\\long.sh"));
}

TEST_F(KvmachineTest, PathsAndUsage) {
    script("C:\\My Tools\\long name.sh", "exit 0\n");
    EXPECT_EQ(kvmachine("shortpath 'c:\\my tools\\long name.sh'").out,
              "C:\\MYTOOL~1\\LONGNA~1.SH\n");
    EXPECT_EQ(kvmachine("hostpath 'C:\\MYTOOL~1\\LONGNA~1.SH'").out,
              fs::hostPath("C:\\My Tools\\long name.sh").string() + "\n");
    const struct {
        const char* args;
        int status;
    } cases[] = {
        {"", 2},
        {"frobnicate", 2},
        {"run", 2},
        {"run --later x", 2},
        {"run 'C:\\My Tools\\missing.sh'", 1},
        {"kill x", 1},
        {"shortpath 'C:\\Nowhere'", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kvmachine(c.args).status, c.status) << c.args;
}

} // namespace
