#pragma once
// UI scripts: a text file that plays the user of a whole program on the headless backend.
// It gives the actions for each modal show of a form in order, the actions while the
// program waits for the user, the expected message boxes with their answers and the picks
// in pop-up menus; at the end it prints the transcript of windows and boxes and fails the
// run when what happened does not match. The format is in docs/ui-script.md.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace kv::ui::script {

// The environment variable naming the script of a program run.
constexpr const char* kScriptVariable = "KV_UI_SCRIPT";

// Reads a script and installs the headless backend and control host it drives (a fresh
// application). False, with a message naming the line, when it cannot be read or parsed.
bool loadText(std::string_view text, std::string* error = nullptr);
bool loadFile(const std::string& path, std::string* error = nullptr);
// Whether a script is installed.
bool active();

// What the script's run found wrong so far (the checks of finish() included), one line
// each; empty when all went as the script says.
std::string report();
// The transcript of windows shown and boxes, one line each.
std::string transcript();
// Prints the transcript and the report to `out` and returns the exit code of the run: 1
// when the script did not match, else `exitCode`. The script stays installed.
int finish(int exitCode, std::FILE* out = stdout);
// Drops the script, the application and the control host (for tests).
void resetForTests();

// Runs a program's body as runProgram does; with KV_UI_SCRIPT set, under that script,
// finishing with its transcript and report.
int runScripted(const std::function<int()>& body);

} // namespace kv::ui::script
