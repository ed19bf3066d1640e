#include "tests/e2e/fixture.h"

#include "tests/e2e/internal/run_environment.h"

#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/process/processes.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/system/process_list.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace kv::e2e {
namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::string readWhole(const stdfs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeWhole(const stdfs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

// A copy, never a link: a program that changes its own file's mode or bytes must not
// reach the build's.
void copyProgram(const stdfs::path& from, const stdfs::path& to) {
    stdfs::copy_file(from, to, stdfs::copy_options::overwrite_existing);
    stdfs::permissions(to, stdfs::perms::owner_all | stdfs::perms::group_read |
                               stdfs::perms::group_exec | stdfs::perms::others_read |
                               stdfs::perms::others_exec);
}

// Waits, until the deadline, while the machine runs the process (or any, for id 0).
bool waitWhileRunning(int id, Clock::time_point deadline) {
    auto running = [id] {
        return id ? machine::listedProcess(id).has_value() : !process::processIds().empty();
    };
    while (running()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

} // namespace

InstallerFixture::InstallerFixture(const machine::Profile& profile, SetupPlace place)
    : machine_(profile) {
    folder_ =
        place == SetupPlace::Host ? machine_.folder() / "disk" : machine_.hostFolder('C') / "Disk";
    stdfs::create_directories(folder_);
    stdfs::create_directories(scratch());
    copyProgram(KV_SETUP_EXE, folder_ / "setup");
#ifdef KV_UNINSTALL_EXE
    copyProgram(KV_UNINSTALL_EXE, folder_ / "UnInstall.exe");
#endif
}

InstallerFixture::~InstallerFixture() {
    registry::resetForTests();
    fs::resetForTests();
}

bool InstallerFixture::hasUninstaller() {
#ifdef KV_UNINSTALL_EXE
    return true;
#else
    return false;
#endif
}

std::string InstallerFixture::setupFolderPath() const {
    return fs::machinePath(folder_);
}

stdfs::path InstallerFixture::scratch() const {
    return machine_.folder() / "scratch";
}

void InstallerFixture::writeSetupText(std::string_view text, LineEnds ends) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n' && ends == LineEnds::CrLf) bytes += '\r';
        bytes += c;
    }
    writeWhole(folder_ / "Setup.txt", bytes);
}

void InstallerFixture::addPayload(const PayloadFile& file) {
    const stdfs::path host = folder_ / file.name;
    stdfs::create_directories(host.parent_path());
    writeWhole(host, file.bytes);
    const auto exec =
        stdfs::perms::owner_exec | stdfs::perms::group_exec | stdfs::perms::others_exec;
    stdfs::permissions(host, exec,
                       file.executable ? stdfs::perm_options::add : stdfs::perm_options::remove);
    if (file.modified) {
        const auto seconds = file.modified->time_since_epoch().count();
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ::utimensat(AT_FDCWD, host.c_str(), times, 0);
    }
}

RunResult InstallerFixture::runSetup(const RunOptions& options) {
    return start(std::string(1, '"').append(setupFolderPath()).append("\\setup\""), options);
}

RunResult InstallerFixture::start(std::string_view commandLine, const RunOptions& options) {
    const stdfs::path run = scratch() / ("run" + std::to_string(++runs_));
    stdfs::create_directories(run);
    RunResult result;
    process::Started started;
    {
        internal::ScopedEnvironment environment;
        environment.set("KV_UI", "headless");
        environment.set("KV_UI_TRANSCRIPT", (run / "boxes.txt").string());
        if (options.uiScript.empty()) {
            environment.unset("KV_UI_SCRIPT");
        } else {
            writeWhole(run / "ui.txt", options.uiScript);
            environment.set("KV_UI_SCRIPT", (run / "ui.txt").string());
        }
        for (const auto& [name, value] : options.environment)
            environment.set(name, value);
        std::string line(commandLine);
        if (!options.arguments.empty()) line += " " + options.arguments;
        internal::RedirectedOutput redirected(run / "out.txt", run / "err.txt");
        started = process::startProgram(line, process::kShowNormal);
    }
    result.started = started.result == process::kExecStarted;
    if (result.started) {
        const Clock::time_point deadline = Clock::now() + options.limit;
        if (!waitWhileRunning(started.id, deadline)) {
            result.ended.push_back(process::processImagePath(started.id));
            process::TerminateProcess(started.id, 1);
        }
        result.exitCode = static_cast<int>(process::waitForProcess(started.id).value_or(-1u));
        // What it started, through the machine.
        if (!waitWhileRunning(0, deadline)) {
            for (int id : process::processIds()) {
                result.ended.push_back(process::processImagePath(id));
                process::TerminateProcess(id, 1);
            }
        }
    }
    result.output = readWhole(run / "out.txt");
    result.errors = readWhole(run / "err.txt");
    result.boxes = readWhole(run / "boxes.txt");
    return result;
}

} // namespace kv::e2e
