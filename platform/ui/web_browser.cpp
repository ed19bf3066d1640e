#include "platform/ui/web_browser.h"

#include "platform/ui/application.h"
#include "platform/ui/control_host.h"
#include "platform/ui/control_properties.h"
#include "platform/ui/form.h"

namespace kv::ui {
namespace {

// The page's text without its tags, blanks collapsed.
std::string pageText(const std::string& html) {
    std::string out;
    bool tag = false;
    for (char c : html) {
        if (c == '<') tag = true;
        if (!tag) {
            bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
            if (!blank)
                out += c;
            else if (!out.empty() && out.back() != ' ')
                out += ' ';
        }
        if (c == '>') tag = false;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace

WebBrowser::WebBrowser(Form& form, std::string name, int index)
    : Control(form, std::move(name), index), self_(std::make_shared<WebBrowser*>(this)) {}

WebBrowser::~WebBrowser() {
    *self_ = nullptr; // a load still queued finds the control gone
}

void WebBrowser::navigate(std::string url, int flags, std::string targetFrame) {
    navigations_.push_back({url, flags, std::move(targetFrame)});
    changed(prop::Navigate);
    load(std::move(url), -1);
}

void WebBrowser::load(std::string url, int historyPosition) {
    std::uint64_t generation = ++generation_;
    pending_ = generation;
    std::weak_ptr<WebBrowser*> weak = self_;
    app().post([weak, generation, url = std::move(url), historyPosition] {
        auto self = weak.lock();
        if (!self || !*self) return;
        WebBrowser& b = **self;
        if (b.pending_ != generation) return;                  // stopped or superseded
        if (b.form()->find(b.name(), b.index()) != &b) return; // removed from its form
        b.pending_.reset();
        std::optional<WebPage> page = url == "about:blank"
                                          ? std::optional<WebPage>(WebPage{url, {}, {}})
                                          : controlHost().fetchPage(url);
        b.document_ = WebDocument{url,
                                  page ? page->title : std::string(),
                                  page ? page->html : std::string(),
                                  {},
                                  page.has_value()};
        if (historyPosition < 0) {
            b.history_.resize(static_cast<std::size_t>(b.position_ + 1));
            b.history_.push_back(url);
            b.position_ = static_cast<int>(b.history_.size()) - 1;
        } else {
            b.position_ = historyPosition;
        }
        b.changed(prop::Document);
        if (b.onNavigateComplete) b.onNavigateComplete(url);
    });
}

bool WebBrowser::goBack() {
    if (!canGoBack()) return false;
    load(history_[static_cast<std::size_t>(position_ - 1)], position_ - 1);
    return true;
}

bool WebBrowser::goForward() {
    if (!canGoForward()) return false;
    load(history_[static_cast<std::size_t>(position_ + 1)], position_ + 1);
    return true;
}

void WebBrowser::stop() {
    pending_.reset();
}

void WebBrowser::reload() {
    if (position_ >= 0) load(history_[static_cast<std::size_t>(position_)], position_);
}

std::string WebBrowser::locationName() const {
    return document_.title.empty() ? document_.url : document_.title;
}

bool WebBrowser::execCommand(int command, int option) {
    (void)option; // the headless control shows no dialogs
    if (!document_.loaded) return false;
    switch (command) {
    case browser_cmd::Cut:
    case browser_cmd::Copy:
        if (!document_.selection.empty()) app().setClipboardText(document_.selection);
        break;
    case browser_cmd::SelectAll:
        document_.selection = pageText(document_.html);
        break;
    case browser_cmd::Print:
    case browser_cmd::Paste:
    case browser_cmd::Undo:
        break;
    default:
        return false;
    }
    executed_.push_back(command);
    changed(prop::Command);
    return true;
}

void WebBrowser::selectText(std::string text) {
    document_.selection = std::move(text);
}

bool WebBrowser::raiseDocumentContextMenu() {
    if (!document_.loaded) return false;
    bool own = onDocumentContextMenu ? onDocumentContextMenu() : true;
    if (own) ++pageMenus_;
    return own;
}

} // namespace kv::ui
