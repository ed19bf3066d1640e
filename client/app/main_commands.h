#pragma once
// The main window's handlers that start-up uses: the one-time import question, the
// import itself, the upgrade timer, logout and the About box. wireMainWindow gives the
// main window the browser panes, Timer1 and the menu items these need, when it has none
// of its own yet, and connects their events.

namespace kv::app {

class frmMain;

// Adds what is missing and connects the handlers below to the window's items.
void wireMainWindow(frmMain& form);

// Asks once (or always, with force) whether to import the eBay lists; records the asking.
void check_import(bool force);
// Imports the eBay lists and confirms with "\"myEbay\" imported".
void mnuAuctionImport_Click();
// Ends the program at once (enabled after an accepted upgrade).
void Timer1_Timer();
// Runs the start-up again.
void mnuLogout_Click();
// Shows the splash window modally as the About box.
void mnuHelpAbout_Click();

} // namespace kv::app
