#include "platform/ui/wx/internal/web_view.h"

#include "platform/ui/form.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/wx/internal/convert.h"

#include <wx/webview.h>

namespace kv::ui::wx::internal {

wxWindow* createWebView(WebBrowser& browser, wxWindow* parent, const wxRect& rect) {
    if (!wxWebView::IsBackendAvailable(wxWebViewBackendDefault)) return nullptr;
    wxWebView* view = wxWebView::New(parent, wxID_ANY, wxWebViewDefaultURLStr, rect.GetPosition(),
                                     rect.GetSize());
    if (!view) return nullptr;
    view->EnableContextMenu(false); // the program shows its own pop-up instead
    // The page tells of a right click (the toolkit has no event of its own for it).
    if (view->AddScriptMessageHandler("kvPage"))
        view->AddUserScript("document.addEventListener('contextmenu', function (e) {"
                            " e.preventDefault(); window.kvPage.postMessage('contextmenu'); });");
    showDocument(browser, view);
    return view;
}

void showDocument(WebBrowser& browser, wxWindow* window) {
    auto* view = static_cast<wxWebView*>(window);
    const WebDocument& doc = browser.document();
    view->SetPage(doc.loaded ? toWx(doc.html) : wxString(), toWx(doc.url));
}

void bindWebView(WebBrowser& browser, wxWindow* window, const Input& input) {
    WebBrowser* b = &browser;
    const auto& deliver = input.deliver;
    // A link followed in the page goes through the model, which loads it and shows it here.
    window->Bind(wxEVT_WEBVIEW_NAVIGATING, [b, deliver](wxWebViewEvent& e) {
        std::string url = fromWx(e.GetURL());
        if (url.empty() || url == b->document().url || url == "about:blank" ||
            url.rfind("data:", 0) == 0)
            return;
        e.Veto();
        deliver([b, url] { b->navigate(url); });
    });
    window->Bind(wxEVT_WEBVIEW_SCRIPT_MESSAGE_RECEIVED, [b, deliver](wxWebViewEvent& e) {
        if (e.GetString() == "contextmenu") deliver([b] { user::rightClickPage(*b); });
    });
}

} // namespace kv::ui::wx::internal
