// The demo's package (demo/package) installed by setup under the demo's walk through every
// page and removed by its uninstaller under the demo's script: both runs go as the scripts
// say, the package's files land where its script puts them, and the machine afterwards
// differs from the machine before only by the residues demo/residues.txt lists.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"
#include "platform/system/known_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

namespace kv::e2e {
namespace {

namespace stdfs = std::filesystem;
using Lines = std::vector<std::string>;

const stdfs::path kDemo = KV_DEMO_DIR;
constexpr const char* kApp = "C:\\Program Files\\Kestrovane";

std::string readText(const stdfs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The residue patterns: every line of the list but comments and blank ones.
std::vector<std::regex> residuePatterns() {
    std::vector<std::regex> out;
    std::istringstream in(readText(kDemo / "residues.txt"));
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') out.emplace_back(line, std::regex::extended);
    return out;
}

bool isResidue(const std::string& line, const std::vector<std::regex>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::regex& p) { return std::regex_search(line, p); });
}

bool has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(DemoPackage, InstallsUnderTheDemoWalkAndLeavesOnlyTheListedResidues) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    InstallerFixture f;
    stdfs::copy(kDemo / "package", f.setupFolder(), stdfs::copy_options::recursive);
    const std::vector<std::regex> residues = residuePatterns();
    ASSERT_FALSE(residues.empty());
    const Snapshot before = takeSnapshot();

    const RunResult setup = f.runSetup({.uiScript = readText(kDemo / "setup.uiscript")});
    ASSERT_TRUE(setup.started);
    EXPECT_EQ(setup.exitCode, 0) << setup.output << setup.errors;
    EXPECT_NE(setup.output.find("all as expected"), std::string::npos) << setup.output;

    // The walk went through every page of the package, the component page included.
    Lines screens;
    for (const std::string& line : readSetupLog(kApp).value_or(Lines{}))
        if (line.rfind("Show Screen: ", 0) == 0) screens.push_back(line.substr(13));
    EXPECT_EQ(screens, (Lines{"Welcome", "License Agreement", "Readme", "User Information",
                              "Choose Destination Location", "Setup Type", "Select Components",
                              "Set File Association", "Set Program Shortcuts",
                              "Confirm Setup Settings", "Copying Files", "Setup Complete"}));

    // Each group's files in their sub folders (a numbered source under its plain name, the
    // shared library in the common folder, the read-only flag kept) and setup's own keys.
    const Lines installed = difference(before, takeSnapshot());
    const std::string app = kApp;
    const std::string uninstallKey =
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Kestrovane";
    for (const std::string& line : {
             "added file " + app + "\\Kestrovane.exe, 111 bytes, attributes N",
             "added file " + app + "\\search.cfg, 128 bytes, attributes N",
             "added file " + app + "\\Data\\snipes.dat, 10 bytes, attributes N",
             "added file " + app + "\\Data\\install.log, 21 bytes, attributes A",
             "added file " + app + "\\Help\\readme.txt, 615 bytes, attributes N",
             "added file " + app + "\\Help\\licence.txt, 463 bytes, attributes N",
             "added file " + app + "\\Help\\sample.ksn, 73 bytes, attributes R",
             std::string("added file C:\\Program Files\\Common Files\\Welmox\\kvcodec.dll, 78 "
                         "bytes, attributes N"),
             "added key " + uninstallKey,
             std::string("added key HKEY_LOCAL_MACHINE\\SOFTWARE\\Welmox\\Kestrovane"),
         }) {
        EXPECT_TRUE(has(installed, line)) << line;
        // The list names only what may stay, none of this.
        EXPECT_FALSE(isResidue(line, residues)) << line;
    }

    const RunResult removal = f.start("\"" + app + "\\UnInstall.exe\"",
                                      {.uiScript = readText(kDemo / "uninstall.uiscript")});
    ASSERT_TRUE(removal.started);
    EXPECT_EQ(removal.exitCode, 0) << removal.output << removal.errors;
    EXPECT_NE(removal.output.find("all as expected"), std::string::npos) << removal.output;
    // The batch runs on after the uninstaller has ended, deleting the folder and then itself.
    const std::string batch =
        machine::knownFolderPath(machine::KnownFolder::Temp) + "\\_DEL_ME_.BAT";
    for (int i = 0; i < 200 && (fs::exists(app) || fs::exists(batch)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(app));

    for (const std::string& line : difference(before, takeSnapshot()))
        EXPECT_TRUE(isResidue(line, residues)) << line;
}

} // namespace
} // namespace kv::e2e
