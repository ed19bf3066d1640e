#include "platform/ui/wx/internal/toolkit.h"

#include "platform/ui/wx/internal/compact_style.h"

#include <wx/app.h>
#include <wx/debug.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace kv::ui::wx::internal {
namespace {

enum class Started { Not, Yes, Failed };
Started g_started = Started::Not;
wxGUIEventLoop* g_loop = nullptr;

// A failed toolkit check is reported on stderr; the toolkit's own handler would stop the
// program with a box of its own.
void reportAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    std::fprintf(stderr, "wx: %s:%d %s: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(func.utf8_str()),
                 static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(msg.utf8_str()));
}

} // namespace

bool startToolkit() {
    if (g_started != Started::Not) return g_started == Started::Yes;
    g_started = Started::Failed;
    // GTK wants a display; without one it would abort in places rather than fail.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return false;
    // The program names itself to the desktop (the window class groups its windows): the
    // name it was started by, "setup" or "kestrovane".
    static std::string name = program_invocation_short_name;
    static char* argv[] = {name.data(), nullptr};
    int argc = 1;
    wxSetAssertHandler(reportAssert);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) return false;
    if (!wxTheApp->CallOnInit()) return false;
    wxTheApp->SetAppName(wxString::FromUTF8(name));
    // Toolkit messages go to stderr, never into boxes of their own.
    delete wxLog::SetActiveTarget(new wxLogStderr());
    wxTheApp->SetExitOnFrameDelete(false);
    wxInitAllImageHandlers();
    applyCompactStyle();
    g_loop = new wxGUIEventLoop();
    wxEventLoopBase::SetActive(g_loop);
    g_started = Started::Yes;
    return true;
}

wxGUIEventLoop& eventLoop() {
    return *g_loop;
}

} // namespace kv::ui::wx::internal
