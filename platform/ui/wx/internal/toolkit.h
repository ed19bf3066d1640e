#pragma once
// The toolkit of this process: started once, on first use, and kept to the end; its event
// loop is the one the backend pumps.

class wxGUIEventLoop;

namespace kv::ui::wx::internal {

// Starts the toolkit (once); false when it cannot (no display), then and on every later call.
bool startToolkit();
// The event loop the backend dispatches (the toolkit must have started).
wxGUIEventLoop& eventLoop();

} // namespace kv::ui::wx::internal
