#pragma once
// A small program for UI-script tests: a login dialog shown modally, then a main window
// with a checked list, a menu command that asks before it cancels the checked rows, and a
// context menu on the list.

#include <string>
#include <vector>

namespace kv::ui::demo {

// What the run left behind, for the tests.
struct Outcome {
    std::string user;
    bool remember = false;
    std::vector<std::string> remaining; // rows of the list at the end
};

// The program's body: 0 after the main window closed, 2 when the login was cancelled.
int run(Outcome& outcome);

} // namespace kv::ui::demo
