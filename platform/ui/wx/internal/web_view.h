#pragma once
// Web browser panes on the toolkit's web view: the model's document shown, links followed
// through the model, the program's pop-up in place of the page's context menu.

#include "platform/ui/web_browser.h"
#include "platform/ui/wx/internal/rich_views.h"

class wxWindow;

namespace kv::ui::wx::internal {

wxWindow* createWebView(WebBrowser& browser, wxWindow* parent);
// Shows the model's document again (after a load, a reload, history moves).
void showDocument(WebBrowser& browser, wxWindow* window);
void bindWebView(WebBrowser& browser, wxWindow* window, Deliver deliver);

} // namespace kv::ui::wx::internal
