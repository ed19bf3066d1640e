#pragma once
// The kestrovane program: its main and what a run leaves behind.

namespace kv::app {

class frmMain;

// kestrovane's main: starts the client under runMain, real windows showing the service's
// pages in their browser panes, and runs it until the main window closes.
int kestrovaneMain(int argc, char** argv);
// The main window of a run that got as far as starting it, else null. It lives on after
// kestrovaneMain has returned.
frmMain* startedMainWindow();

} // namespace kv::app
