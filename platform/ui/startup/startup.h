#pragma once
// Which backend shows the window model, chosen when a program starts: KV_UI=wx|headless,
// else wx when a display is there.

namespace kv::ui {

enum class BackendKind { Headless, Wx };

// The kind asked for by the value of KV_UI (any case; null or unknown: not asked) and
// whether a display is there.
BackendKind chooseBackend(const char* kvUi, bool display);
// Resets the application and installs the backend chosen from the environment; when wx
// cannot start, the headless one. Returns the kind installed.
BackendKind installBackendFromEnvironment();

} // namespace kv::ui
