#include "process_fixture.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/system/process_list.h"

namespace kv::process::testing {

using namespace std::chrono_literals;

ProcessTest::ProcessTest() {
    kv::fs::resetForTests();
    kv::fs::createFolders("C:\\Work");
    kv::fs::setCurrentFolder("C:\\Work");
    work_ = kv::fs::hostPath("C:\\Work");
}

ProcessTest::~ProcessTest() {
    for (int id : ids_)
        if (kv::machine::listedProcess(id)) TerminateProcess(id, 0);
    for (int pid : hostPids_)
        if (kv::machine::hostStartTime(pid)) ::kill(pid, SIGKILL);
    kv::fs::resetForTests();
}

std::filesystem::path ProcessTest::writeFile(const std::string& path, const std::string& content,
                                             bool executable) {
    kv::fs::createFolders(kv::fs::folderPart(kv::fs::fullPath(path)));
    EXPECT_TRUE(kv::fs::writeFile(path, content)) << path;
    const std::filesystem::path host = kv::fs::hostPath(path);
    if (executable) ::chmod(host.c_str(), 0755);
    return host;
}

std::filesystem::path ProcessTest::writeScript(const std::string& path, const std::string& body) {
    return writeFile(path, "#!/bin/sh\n" + body, true);
}

std::optional<std::string> ProcessTest::awaitFile(const std::filesystem::path& host) {
    for (int i = 0; i < 1000; ++i) {
        std::ifstream in(host, std::ios::binary);
        if (in) {
            std::stringstream s;
            s << in.rdbuf();
            const std::string text = s.str();
            if (!text.empty() && text.back() == '\n') return text;
        }
        std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
}

bool ProcessTest::awaitHostEnd(int pid) {
    for (int i = 0; i < 1000; ++i) {
        if (!kv::machine::hostStartTime(pid)) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

} // namespace kv::process::testing
