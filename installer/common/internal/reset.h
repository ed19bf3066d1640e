#pragma once
// The process-wide state of each part of installer/common, dropped by resetCommonForTests().

namespace kv::installer::internal {

void resetAssociations();  // the pending association notice
void resetFolders();       // the target, common and auxiliary folders
void resetRunTimeDirs();   // the run-time folder names and their abort flag
void resetNotices();       // the notices sent
void resetSystemQueries(); // the cached answers about the system
void resetExecOp();        // setup type, selected groups, execution log
void resetExecProbes();    // the measured CPU speed

} // namespace kv::installer::internal
