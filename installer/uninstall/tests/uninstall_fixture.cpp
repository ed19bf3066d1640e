#include "installer/uninstall/tests/uninstall_fixture.h"

#include "installer/common/process_ops.h"
#include "installer/uninstall/reset.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"

#include <sys/stat.h>

namespace kv::installer::uninstall::testing {

UninstallTest::UninstallTest() : machine_(kv::machine::testing::windowsProfile("XP")) {
    ui_ = &kv::ui::headless::install();
    kv::fs::resetForTests();
    resetForTests();
    setProgram(kExe);
}

UninstallTest::~UninstallTest() {
    for (const std::string& path : started_)
        for (int id; (id = FindProcessNT(path, true)) != 0;)
            kv::process::TerminateProcess(id, 0);
    resetForTests();
    kv::machine::resetForTests();
    kv::fs::resetForTests();
    EXPECT_EQ(ui_->finish(), "");
}

void UninstallTest::setProgram(const std::string& exe) {
    kv::fs::createFolders(kv::fs::folderPart(exe));
    kv::fs::writeFile(exe, "");
    kv::machine::setProgram(kv::fs::hostPath(exe), {});
}

void UninstallTest::writeScript(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    ASSERT_TRUE(kv::fs::writeFile(kScript, text));
}

void UninstallTest::startSleeper(const std::string& path) {
    kv::fs::createFolders(kv::fs::folderPart(path));
    ASSERT_TRUE(kv::fs::writeFile(path, "#!/bin/sh\nsleep 60\n"));
    ::chmod(kv::fs::hostPath(path).c_str(), 0755);
    started_.push_back(path);
    ASSERT_NE(kv::process::startProgram("\"" + path + "\"", kv::process::kShowNormal).id, 0);
}

} // namespace kv::installer::uninstall::testing
