#include "programs_fixture.h"

#include "installer/common/process_ops.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace kv::installer::testing {

ProgramsTest::ProgramsTest(std::string_view release)
    : machine_(kv::machine::testing::windowsProfile(release)) {
    ui_ = &kv::ui::headless::install();
    kv::fs::resetForTests();
    kv::fs::createFolders("C:\\Setup");
    kv::fs::writeFile("C:\\Setup\\setup", "");
    kv::machine::setProgram(kv::fs::hostPath("C:\\Setup\\setup"), {});
    kv::fs::createFolders("C:\\Work");
    kv::fs::setCurrentFolder("C:\\Work");
}

ProgramsTest::~ProgramsTest() {
    for (const std::string& path : scripts_)
        for (int id; (id = FindProcessNT(path, true)) != 0;)
            kv::process::TerminateProcess(id, 0);
    kv::machine::resetForTests();
    kv::fs::resetForTests();
    EXPECT_EQ(ui_->finish(), "");
}

std::filesystem::path ProgramsTest::writeScript(const std::string& path, const std::string& body) {
    kv::fs::createFolders(kv::fs::folderPart(path));
    EXPECT_TRUE(kv::fs::writeFile(path, "#!/bin/sh\n" + body)) << path;
    const std::filesystem::path host = kv::fs::hostPath(path);
    ::chmod(host.c_str(), 0755);
    scripts_.push_back(path);
    return host;
}

void ProgramsTest::copyHostFile(const std::filesystem::path& from, const std::string& to) {
    kv::fs::createFolders(kv::fs::folderPart(to));
    std::filesystem::copy_file(from, kv::fs::hostPath(to),
                               std::filesystem::copy_options::overwrite_existing);
}

std::string ProgramsTest::awaitEnd(const std::filesystem::path& host) {
    for (int i = 0; i < 1000; ++i) {
        std::ifstream in(host, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        if (s.str().find("end\n") != std::string::npos) return s.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

} // namespace kv::installer::testing
