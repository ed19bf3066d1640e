#pragma once
// The three run-time folders a script can ask to be located on the machine: through App
// Paths, a file or a folder searched on the drives, or a fixed folder, each resolved at
// most once per run when a path first uses it.

#include <string>
#include <string_view>

namespace kv::installer {

// The records of SET_RUN_TIME_DIR_1 to _3 (delimited lists; flags "1" for on): 0 App
// Paths lookup of program 1; 4 search file 5 on fixed (6) / network (7) drives; 8 search
// folder 9 on fixed (10) / network (11) drives; 12 fixed folder 13; 16 message and 17
// abort when nothing was found.
void SetRunTimeDirName1(std::string_view record);
void SetRunTimeDirName2(std::string_view record);
void SetRunTimeDirName3(std::string_view record);
// The resolved folder (resolving on first use; empty when not found).
std::string GetRunTimeDir1();
std::string GetRunTimeDir2();
std::string GetRunTimeDir3();
// Resolves a record now: the folder or empty, after the optional message and abort flag.
std::string ResolveRunTimeDir(std::string_view record);
// Set when a folder that had to be found was not; stays set.
bool RunTimeDirAbort();

// The "Path" value of the program's App Paths key; empty when absent.
std::string GetAppPath(std::string_view programFile);

} // namespace kv::installer
