#pragma once
// Starting programs and opening files: programs start through the machine from the
// installer's own folder, documents and web addresses open through the shell.

#include <string_view>

namespace kv::installer {

// Starts the program as "<path>" followed, when parameters are given, by a blank and the
// parameters, from the folder of the running installer (the started program's working
// folder); the current folder is restored afterwards. With `wait` it then waits for the
// program's end. True when it started.
bool RunProgram(std::string_view path, std::string_view parameters, bool wait, int showMode);
// RunProgram on the App Paths entry of a program's file name; false when it has none.
bool RunAppPathProgram(std::string_view fileName, std::string_view parameters, bool wait,
                       int showMode);
// Opens a file or address through the shell with its default verb; true on success.
bool ShellOpen(std::string_view file, std::string_view parameters, int showMode);

} // namespace kv::installer
