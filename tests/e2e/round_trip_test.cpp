// Generated packages installed (silently, or walked through their pages) and removed by
// their uninstallers through the machine: afterwards the machine equals the one before
// apart from the listed residues, and the probe file shows the stage records ran in stage
// order, each once. Each failure names its seed; KV_ROUND_TRIP_SEEDS ("first-last") runs
// more seeds.

#include "tests/e2e/log_lines.h"
#include "tests/e2e/round_trip.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kv::e2e {
namespace {

// Checks one round trip of the package on the fixture's fresh machine.
void roundTrip(const GeneratedPackage& package) {
    SCOPED_TRACE(package.describe());
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    const MachineFolders folders = currentFolders();
    const ResidueList residues(roundTripResidueFile(), residueNames({package}, folders));
    ASSERT_FALSE(residues.empty());
    stagePackage(f, package);
    const Snapshot before = takeSnapshot();

    const RunResult setup = f.runSetup({.uiScript = package.setupUiScript});
    ASSERT_TRUE(setup.started);
    ASSERT_EQ(setup.exitCode, 0) << setup.errors << setup.boxes;
    ASSERT_TRUE(fs::exists(package.uninstaller())) << package.script;
    // Setup added at least a file for each payload file: the removal has work to do.
    const std::vector<std::string> added = difference(before, takeSnapshot());
    EXPECT_GE(
        std::count_if(added.begin(), added.end(),
                      [](const std::string& line) { return line.starts_with("added file "); }),
        static_cast<std::ptrdiff_t>(package.payload.size()));
    std::string written; // the uninstall script as setup left it, for failure messages
    for (const std::string& line :
         readUninstallScript(package.app, package.stamp).value_or(std::vector<std::string>{}))
        written += line + "\n";

    const RunResult removal = runUninstaller(f, package);
    ASSERT_TRUE(removal.started);
    EXPECT_EQ(removal.exitCode, 0) << removal.output << removal.errors;
    EXPECT_NE(removal.output.find("all as expected"), std::string::npos) << removal.output;
    EXPECT_EQ(removal.output.find("(not listed)"), std::string::npos) << removal.output;

    const std::vector<std::string> probe = readProbe(package);
    for (const std::string& fault : probeFaults(package, probe))
        ADD_FAILURE() << fault << "\n" << package.script << "\n" << testing::PrintToString(probe);
    fs::deleteFile(package.probe);
    for (const std::string& line : difference(before, takeSnapshot()))
        EXPECT_TRUE(residues.matches(line)) << line << "\n" << package.script << "\n" << written;
    EXPECT_EQ(fs::exists(package.app), package.keepsAppFolder);
}

// A target folder holding blanks, a program stamp, a common and an auxiliary folder.
bool isFull(const GeneratedPackage& package, const MachineFolders& folders) {
    return package.app.find(' ', folders.programFiles.size() + 1) != std::string::npos &&
           !package.stamp.empty() && !package.common.empty() && !package.aux.empty();
}

TEST(RoundTrip, GeneratedPackagesLeaveOnlyTheListedResidues) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    const MachineFolders folders = currentFolders();
    // Seeds 1 to 8 (both line ends, silent and walked setups), and the first seed after them
    // that makes the full package.
    std::vector<std::uint32_t> fixed{1, 2, 3, 4, 5, 6, 7, 8};
    std::uint32_t full = 9;
    while (!isFull(generatePackage(full, folders), folders))
        ++full;
    fixed.push_back(full);
    const std::vector<std::uint32_t> seeds = seedsToRun("KV_ROUND_TRIP_SEEDS", fixed);
    for (std::uint32_t seed : seeds)
        roundTrip(generatePackage(seed, folders));
}

} // namespace
} // namespace kv::e2e
