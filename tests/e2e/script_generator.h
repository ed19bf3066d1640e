#pragma once
// Install scripts made from a seed for round trips of setup and uninstall: file groups and
// sub folders with their marks, flag prefixes and overwrite modes, registry, INI,
// environment, file-type and open-with records, shortcuts, stage records that append to a
// probe file, removal commands and verbatim uninstall lines. The same seed always gives the
// same package.

#include "tests/e2e/fixture.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv::e2e {

// The machine folders a package's paths are made from (no trailing backslash).
struct MachineFolders {
    std::string programFiles, commonFiles, windows, temp, programs;
};
// The current machine's.
MachineFolders currentFolders();

// Shared files several products install into one common folder.
struct SharedFiles {
    std::string commonDir;          // the common folder's name below Common Files
    std::vector<std::string> names; // the shared files this product installs there
};

// A generated package: its script, payload and what the test needs to know of it.
struct GeneratedPackage {
    std::uint32_t seed = 0;
    std::string script; // "\n" between lines
    LineEnds ends = LineEnds::CrLf;
    std::vector<PayloadFile> payload;
    // A silent setup runs without pages and so without the "Setup End" stage; otherwise
    // this UI script walks the Welcome page, the copy and the Complete page's Finish.
    bool silent = true;
    std::string setupUiScript;
    std::string program, company, stamp;
    std::string app, common, aux; // machine paths; common and aux "" when unused
    std::string menuFolder;       // the program's folder in the Programs menu
    std::string probe;            // the file the stage records append to
    // The names of the probe records of each stage ("Setup Start" first) that are to run.
    std::array<std::vector<std::string>, 6> stageRecords;
    std::vector<std::string> associationTypes; // file-type keys
    std::vector<std::string> sharedFiles;      // machine paths of files installed as shared
    std::vector<std::string> iniFiles;         // INI files the records write
    bool keepsAppFolder = false; // a "#" folder or a file without removal line stays in it
    // The uninstaller setup installs ("UnInstall.exe", or with the stamp).
    std::string uninstaller() const;
    // The uninstall script setup writes beside it.
    std::string uninstallScript() const;
    // A one-line account of the package for failure messages.
    std::string describe() const;
};

// What a package holds beyond what its seed draws.
struct GeneratorOptions {
    // The product is one of a set: its common folder and shared files are these.
    const SharedFiles* shared = nullptr;
    // No file is marked shared (a setup run twice counts its shared files twice).
    bool noSharedFlags = false;
    // A further group of this many files in the application folder's "Bulk" sub folder.
    int bulkFiles = 0;
};

// The package of the seed.
GeneratedPackage generatePackage(std::uint32_t seed, const MachineFolders& folders,
                                 const GeneratorOptions& options = {});

// A set of products (at least two) whose scripts share files in one common folder; every
// shared file is held by at least two of them.
std::vector<GeneratedPackage> generateProductSet(std::uint32_t seed, const MachineFolders& folders,
                                                 int products);

} // namespace kv::e2e
