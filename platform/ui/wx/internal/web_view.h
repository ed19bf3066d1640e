#pragma once
// Web browser panes on the toolkit's web view: the model's document shown, links followed
// through the model, the program's pop-up in place of the page's context menu.

#include "platform/ui/web_browser.h"
#include "platform/ui/wx/internal/adapter.h"

class wxWindow;

namespace kv::ui::wx::internal {

// The page at `rect` (pixels) of `parent`; nullptr when the toolkit has no web view.
wxWindow* createWebView(WebBrowser& browser, wxWindow* parent, const wxRect& rect);
// Shows the model's document again (after a load, a reload, history moves).
void showDocument(WebBrowser& browser, wxWindow* window);
void bindWebView(WebBrowser& browser, wxWindow* window, const Input& input);

} // namespace kv::ui::wx::internal
