#pragma once
// Opening files and web addresses through the shell with the default verb. A program
// starts through the machine; a document goes through the machine's association
// (HKEY_CLASSES_ROOT\<extension> names its type, whose shell\open\command is started with
// "%1" replaced by the document's path); a web address, a folder or a document without
// association goes to the host's opener when that is enabled (the wx backend), and is
// otherwise only recorded in the machine.

#include <string>
#include <string_view>
#include <vector>

namespace kv::process {

// Results of ShellExecute: above 32 on success, else the platform's error numbers.
constexpr int kShellFileNotFound = 2;
constexpr int kShellPathNotFound = 3;
constexpr int kShellBadFormat = 11;
constexpr int kShellNoAssociation = 31;
constexpr int kShellOpened = 42;

// Opens a file (a machine path) or a web address; parameters go to a program.
int ShellExecute(std::string_view file, std::string_view parameters, int showMode);

// Whether opens that need the host go to the host's opener (xdg-open, started with an
// argument vector). Off unless the wx backend turns it on, so headless runs open nothing.
void setHostOpenerEnabled(bool enabled);

// An open recorded in the machine instead of going to the host.
struct ShellOpenRecord {
    std::string file; // as given
    std::string parameters;
    int showMode = 1;
    bool operator==(const ShellOpenRecord&) const = default;
};
// The recorded opens of the machine, oldest first.
std::vector<ShellOpenRecord> recordedShellOpens();

} // namespace kv::process
