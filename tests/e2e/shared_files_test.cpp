// Generated sets of products whose scripts share files in one common folder, installed one
// after the other and removed in more than one order: each shared file's count follows the
// products that still hold it, the file goes with the last of them, and at the end the
// machine equals the one before apart from the listed residues.

#include "tests/e2e/round_trip.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/files.h"

#include <gtest/gtest.h>

#include <map>

namespace kv::e2e {
namespace {

constexpr const char* kSharedDlls =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The count the machine keeps for the file; 0 when it keeps none.
std::uint32_t sharedCount(const Snapshot& snapshot, const std::string& path) {
    const auto key = snapshot.keys.find(kSharedDlls);
    if (key == snapshot.keys.end()) return 0;
    const auto value = key->second.find(path);
    return value == key->second.end() ? 0 : registry::dwordOf(value->second).value_or(0);
}

// Every shared file of the set and the products (by index) that hold it.
std::map<std::string, std::vector<int>, NoCaseLess>
holders(const std::vector<GeneratedPackage>& set) {
    std::map<std::string, std::vector<int>, NoCaseLess> out;
    for (int i = 0; i < static_cast<int>(set.size()); ++i)
        for (const std::string& path : set[i].sharedFiles)
            out[path].push_back(i);
    return out;
}

// Installs the set in order, then uninstalls it in the given order, checking the counts
// after each step.
void installAndRemove(std::uint32_t seed, const std::vector<int>& order) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    const MachineFolders folders = currentFolders();
    const std::vector<GeneratedPackage> set =
        generateProductSet(seed, folders, static_cast<int>(order.size()));
    const auto held = holders(set);
    SCOPED_TRACE("set of seed " + std::to_string(seed) + ", products " + set[0].program + " to " +
                 set.back().program);
    const Snapshot before = takeSnapshot();
    for (const GeneratedPackage& p : set) {
        SCOPED_TRACE(p.describe());
        stagePackage(f, p);
        const RunResult setup = f.runSetup({.uiScript = p.setupUiScript});
        ASSERT_EQ(setup.exitCode, 0) << setup.errors << setup.boxes;
    }
    const Snapshot installed = takeSnapshot();
    for (const auto& [path, products] : held) {
        EXPECT_EQ(sharedCount(installed, path), products.size()) << path;
        EXPECT_TRUE(fs::exists(path)) << path;
    }

    std::vector<bool> removed(set.size(), false);
    for (int index : order) {
        const GeneratedPackage& p = set[index];
        SCOPED_TRACE("uninstall of " + p.describe());
        const RunResult removal = runUninstaller(f, p);
        EXPECT_EQ(removal.exitCode, 0) << removal.output << removal.errors;
        for (const std::string& fault : probeFaults(p, readProbe(p)))
            ADD_FAILURE() << fault;
        fs::deleteFile(p.probe);
        removed[index] = true;
        const Snapshot now = takeSnapshot();
        bool commonHoldsMore = false;
        for (const auto& [path, products] : held) {
            std::uint32_t still = 0;
            for (int holder : products)
                still += removed[holder] ? 0 : 1;
            EXPECT_EQ(sharedCount(now, path), still) << path;
            EXPECT_EQ(fs::exists(path), still > 0) << path;
            if (still > 0 && path.starts_with(p.common + "\\")) commonHoldsMore = true;
        }
        // The common folder still holding another product's files is the one thing the
        // uninstaller reports it could not remove.
        if (commonHoldsMore) {
            EXPECT_NE(removal.output.find("unable to remove one or more Directories"),
                      std::string::npos)
                << removal.output;
            EXPECT_EQ(removal.output.find("one or more Files"), std::string::npos)
                << removal.output;
        } else {
            EXPECT_EQ(removal.output.find("(not listed)"), std::string::npos) << removal.output;
        }
    }

    const ResidueList residues(roundTripResidueFile(), residueNames(set, folders));
    for (const std::string& line : difference(before, takeSnapshot()))
        EXPECT_TRUE(residues.matches(line)) << line;
}

TEST(SharedFiles, CountsFollowTheHoldersInAnyUninstallOrder) {
    if (!InstallerFixture::hasUninstaller()) GTEST_SKIP() << "uninstall is not built";
    installAndRemove(101, {0, 1, 2});
    installAndRemove(101, {2, 0, 1});
    installAndRemove(102, {1, 0});
}

} // namespace
} // namespace kv::e2e
