// Setup killed (SIGKILL, with its process group) at drawn points of an install: every hive
// still loads, Setup.log and the uninstall script hold only whole lines, and setup run again
// completes the install, whose uninstall then leaves the machine as before apart from the
// listed residues. KV_INTERRUPT_SEEDS ("first-last") runs other seeds.

#include "tests/e2e/log_lines.h"
#include "tests/e2e/round_trip.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <random>

namespace kv::e2e {
namespace {

// A text file setup rewrites after every line: missing, empty, or whole CR LF lines.
void expectWholeLines(const std::string& path) {
    const std::optional<std::string> bytes = fs::readFile(path);
    if (!bytes || bytes->empty()) return;
    EXPECT_TRUE(bytes->ends_with("\r\n")) << path << " ends in a part of a line";
    std::string why;
    EXPECT_TRUE(readCrLfLines(path, &why).has_value()) << why;
}

void interruptAndComplete(std::uint32_t seed) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    const MachineFolders folders = currentFolders();
    // Shared files are left out: a setup run twice counts them twice, so they would stay.
    const GeneratedPackage package =
        generatePackage(seed, folders, {.noSharedFlags = true, .bulkFiles = 100});
    std::mt19937 draw(seed);
    const auto killAt = std::chrono::milliseconds(20 + draw() % 400);
    SCOPED_TRACE(package.describe() + ", killed after " + std::to_string(killAt.count()) + " ms");
    stagePackage(f, package);
    const Snapshot before = takeSnapshot();

    const RunResult killed = f.runSetup({.uiScript = package.setupUiScript, .limit = killAt});
    ASSERT_TRUE(killed.started);
    EXPECT_TRUE(registry::openHives().empty());
    expectWholeLines(package.app + "\\Setup.log");
    expectWholeLines(package.uninstallScript());

    const RunResult again = f.runSetup({.uiScript = package.setupUiScript});
    ASSERT_EQ(again.exitCode, 0) << again.errors << again.boxes << again.output;
    const RunResult removal = runUninstaller(f, package);
    EXPECT_EQ(removal.exitCode, 0) << removal.output << removal.errors;
    EXPECT_EQ(removal.output.find("(not listed)"), std::string::npos) << removal.output;
    fs::deleteFile(package.probe); // the killed run's records wrote to it too

    const ResidueList residues(roundTripResidueFile(), residueNames({package}, folders));
    for (const std::string& line : difference(before, takeSnapshot()))
        EXPECT_TRUE(residues.matches(line)) << line;
}

TEST(InterruptedInstall, AKilledSetupLeavesWholeLinesAndARunAgainCompletes) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    for (std::uint32_t seed : seedsToRun("KV_INTERRUPT_SEEDS", {301u, 302u, 303u, 304u}))
        interruptAndComplete(seed);
}

} // namespace
} // namespace kv::e2e
