#pragma once
// The steps of a round trip of a generated package: put it into the setup folder, run its
// uninstaller to the end, read its probe file, and the names its residues are listed by.

#include "tests/e2e/fixture.h"
#include "tests/e2e/residues.h"
#include "tests/e2e/script_generator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv::e2e {

// Writes the package's script and payload into the fixture's setup folder (files of an
// earlier package stay).
void stagePackage(InstallerFixture& fixture, const GeneratedPackage& package);

// Starts the package's installed uninstaller, answers its question Yes, any other box OK,
// closes it when done and waits (bounded) until its batch has deleted it.
RunResult runUninstaller(InstallerFixture& fixture, const GeneratedPackage& package);

// What the stage records appended to the probe file, one entry a line ("3 R3.1"); empty
// when there is no probe file.
std::vector<std::string> readProbe(const GeneratedPackage& package);

// The failures the probe lines show: a stage after a later one, a record missing or run
// twice. Empty when the stages ran in order, each record once.
std::vector<std::string> probeFaults(const GeneratedPackage& package,
                                     const std::vector<std::string>& probe);

// The seeds a test runs: those of the environment variable ("first-last" or one seed) when
// it is set, else the fixed ones.
std::vector<std::uint32_t> seedsToRun(const char* variable, std::vector<std::uint32_t> fixed);

// The place holders of the residue list for the packages (each value from every package).
ResidueNames residueNames(const std::vector<GeneratedPackage>& packages,
                          const MachineFolders& folders);

} // namespace kv::e2e
