#pragma once
// The fixed registry entries setup writes for Windows: the Add/Remove Programs entry and
// its install-size record, App Paths, the user registration, the program key and the
// shared-file counts. Each writer returns the full path of the key it made (for the
// uninstall script's removal line), empty when it wrote nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::installer {

// HKEY_LOCAL_MACHINE\...\UnInstall\<program>: DisplayName, UnInstallString, DisplayVersion,
// Publisher; only when program and command are non-empty.
std::string WriteUninstallEntry(std::string_view program, std::string_view uninstallCommand,
                                std::string_view displayVersion, std::string_view publisher);
// The 552-byte SlowInfoCache record and "Changed" = 0 under ...\ARPCache\<program>; not on
// 95, 98, ME and NT, and only for non-empty names and a size above 0.
std::string WriteInstallSize(std::string_view program, std::string_view programFile,
                             std::uint64_t size);
// The "UnInstallString" of the program's entry, or the default.
std::string ReadUninstallString(std::string_view program, std::string_view defaultValue);

// HKEY_LOCAL_MACHINE\Software\<company>\<program>\<subKey> with "Name" and "Company" (each
// when non-empty); only when company, program and sub-key are non-empty.
std::string WriteUserRegistration(std::string_view company, std::string_view program,
                                  std::string_view subKey, std::string_view userName,
                                  std::string_view companyName);
// Creates HKEY_LOCAL_MACHINE\Software\<company>\<program>\<subKey>; returns the path of
// ...\Software\<company>\<program>.
std::string CreateProgramKey(std::string_view company, std::string_view program,
                             std::string_view subKey);

// The App Paths key of a program file: default value the full path, "Path" its folder.
std::string WriteAppPath(std::string_view programPath);
// The default value / the "Path" of a program file's App Paths key; empty when absent.
std::string ReadAppPathExe(std::string_view programFile);
std::string ReadAppPathDir(std::string_view programFile);

// The registered owner and organisation of the machine.
std::string GetRegisteredOwner();
std::string GetRegisteredOrganization();

// Increments the SharedDLLs count of a file (a missing count is 0); the new count.
std::uint32_t IncSharedDll(std::string_view filePath);

} // namespace kv::installer
