// Costs of a whole install and uninstall through the machine: a tree of a few thousand files
// in nested folders (about 33 MB) installed by a silent setup and removed by its uninstaller
// (with its batch), against cp -r and rm -rf of the same tree on the host. The counters give
// the bytes setup wrote to Setup.log and to the uninstall script, each rewritten whole after
// every added line: the sum over the lines of the file's size once that line was added (a
// suffix joined to the last log line counts as one more rewrite). One iteration each: an
// install takes minutes.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"

#include "platform/fs/files.h"
#include "platform/system/known_folders.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace kv::e2e {
namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kApp = "C:\\Program Files\\Bench App";

// The tree: ten top folders, each with ten files and ten sub folders of 29 files (3,000
// files), sizes from 2 to 20 KB; and the script that installs it.
struct Tree {
    stdfs::path host; // the files, laid out as the setup folder holds them
    std::string script;
    std::uint64_t bytes = 0;
    int files = 0;
};

const Tree& tree() {
    static const Tree made = [] {
        Tree t;
        t.host = stdfs::temp_directory_path() / ("kv_install_bench_" + std::to_string(::getpid()));
        stdfs::remove_all(t.host);
        std::string entries;
        auto folder = [&](const std::string& name, int count) {
            std::string list;
            for (int f = 0; f < count; ++f) {
                std::string file = std::to_string(++t.files);
                file.insert(0, 1, 'f').append(".dat");
                const std::size_t size = 2048 + (t.files * 7919u) % (18 * 1024);
                std::ofstream(t.host / file, std::ios::binary)
                    << std::string(size, 'a' + t.files % 26);
                t.bytes += size;
                list += (list.empty() ? "" : "|") + file;
            }
            entries +=
                "SET_SUB_DIR(<Application Folder>" + name + ")\nSET_COPY_FILES(" + list + ")\n";
        };
        stdfs::create_directories(t.host);
        // KV_INSTALL_BENCH_TOP makes a smaller tree (fewer top folders) for quick comparisons.
        const char* topEnv = std::getenv("KV_INSTALL_BENCH_TOP");
        const int tops = topEnv && std::atoi(topEnv) > 0 ? std::atoi(topEnv) : 10;
        for (int d = 1; d <= tops; ++d) {
            const std::string top = "Dir" + std::to_string(d);
            folder(top, 10);
            for (int s = 1; s <= 10; ++s)
                folder(top + "\\Sub" + std::to_string(s), 29);
        }
        t.script = "SET_PROG_NAME(Bench App)\nSET_PROG_VERSION(1.0)\nSET_CREATE_SETUP_LOG\n"
                   "SET_CREATE_UNINSTALL\nSET_SILENT_SETUP\n"
                   "SET_TARGET_DIR(<ProgramFilesDir>Bench App)\n"
                   "SET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)\n"
                   "SET_GROUP_DATA(All|" +
                   std::to_string(t.bytes / 1024) + "|1|1|" + std::to_string(t.files) +
                   "|Every file|1)\nSET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES()\n" +
                   entries;
        return t;
    }();
    // The tree goes when the program ends.
    static const struct Cleanup {
        stdfs::path folder;
        ~Cleanup() {
            std::error_code ec;
            stdfs::remove_all(folder, ec);
        }
    } cleanup{made.host};
    return made;
}

// A fresh machine whose setup folder holds the tree and its script.
void stage(InstallerFixture& f) {
    const Tree& t = tree();
    stdfs::copy(t.host, f.setupFolder(), stdfs::copy_options::recursive);
    f.writeSetupText(t.script);
}

// The bytes of the file's lines with their line breaks.
std::uint64_t fileBytes(const std::vector<std::string>& lines) {
    std::uint64_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    return size;
}

// The bytes written when the file was rewritten after each of its lines.
std::uint64_t rewrittenBytes(const std::vector<std::string>& lines, bool log) {
    std::uint64_t size = 0, written = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
        written += size;
        if (log && line.find(" ... ") != std::string::npos) written += size;
    }
    return written;
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_Install(benchmark::State& state) {
    std::uint64_t logWritten = 0, scriptWritten = 0, logBytes = 0, scriptBytes = 0;
    for (auto _ : state) {
        InstallerFixture f;
        stage(f);
        const Clock::time_point start = Clock::now();
        const RunResult r = f.runSetup();
        state.SetIterationTime(seconds(Clock::now() - start));
        if (r.exitCode != 0) state.SkipWithError("setup failed");
        const auto log = readSetupLog(kApp);
        const auto script = readUninstallScript(kApp);
        if (!log || !script) state.SkipWithError("no log or uninstall script");
        logWritten = rewrittenBytes(*log, true);
        scriptWritten = rewrittenBytes(*script, false);
        logBytes = fileBytes(*log);
        scriptBytes = fileBytes(*script);
    }
    state.counters["files"] = tree().files;
    state.counters["tree_MB"] = static_cast<double>(tree().bytes) / 1e6;
    state.counters["log_MB_written"] = static_cast<double>(logWritten) / 1e6;
    state.counters["script_MB_written"] = static_cast<double>(scriptWritten) / 1e6;
    state.counters["log_KB"] = static_cast<double>(logBytes) / 1e3;
    state.counters["script_KB"] = static_cast<double>(scriptBytes) / 1e3;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tree().bytes));
}
BENCHMARK(BM_Install)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// cp -r of the same tree into the machine's folder on the host.
void BM_Install_Floor(benchmark::State& state) {
    for (auto _ : state) {
        InstallerFixture f;
        const stdfs::path to = f.scratch() / "copy";
        const std::string command = "cp -r '" + tree().host.string() + "' '" + to.string() + "'";
        const Clock::time_point start = Clock::now();
        const int status = std::system(command.c_str());
        state.SetIterationTime(seconds(Clock::now() - start));
        if (status != 0) state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tree().bytes));
}
BENCHMARK(BM_Install_Floor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_Uninstall(benchmark::State& state) {
    const std::string app = kApp;
    const std::string batch =
        "\\_DEL_ME_.BAT"; // in the temporary folder, looked up once the machine exists
    for (auto _ : state) {
        InstallerFixture f;
        stage(f);
        if (f.runSetup().exitCode != 0) state.SkipWithError("setup failed");
        const std::string temp = machine::knownFolderPath(machine::KnownFolder::Temp);
        const Clock::time_point start = Clock::now();
        const RunResult r = f.start("\"" + app + "\\UnInstall.exe\"",
                                    {.uiScript = "box caption \"Confirm\" answer Yes\n"
                                                 "box other answer OK\n"
                                                 "idle\n"
                                                 "  wait 60000\n"
                                                 "  expect MainForm.CloseButton enabled \"true\"\n"
                                                 "  click MainForm.CloseButton\n"
                                                 "end\n"});
        // Until the batch has removed the uninstaller, its folder and itself.
        while (fs::exists(app) || fs::exists(temp + batch))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        state.SetIterationTime(seconds(Clock::now() - start));
        if (r.exitCode != 0) state.SkipWithError("uninstall failed");
    }
}
BENCHMARK(BM_Uninstall)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// rm -rf of the same tree on the host.
void BM_Uninstall_Floor(benchmark::State& state) {
    for (auto _ : state) {
        InstallerFixture f;
        const stdfs::path to = f.scratch() / "copy";
        stdfs::copy(tree().host, to, stdfs::copy_options::recursive);
        const std::string command = "rm -rf '" + to.string() + "'";
        const Clock::time_point start = Clock::now();
        const int status = std::system(command.c_str());
        state.SetIterationTime(seconds(Clock::now() - start));
        if (status != 0) state.SkipWithError("rm failed");
    }
}
BENCHMARK(BM_Uninstall_Floor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace
} // namespace kv::e2e
