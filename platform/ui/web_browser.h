#pragma once
// Web browser controls: navigation with flags and a target frame, history (back, forward),
// stop, reload, the document's title and address, command execution with the platform's
// command numbers, the page-loaded event and the document's context-menu event. Pages come
// from the control host (control_host.h) and load from the message loop.

#include "platform/ui/control.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kv::ui {

// Navigation flags, as the platform numbers them.
namespace nav {
constexpr int OpenInNewWindow = 0x1;
constexpr int NoHistory = 0x2;
constexpr int NoReadFromCache = 0x4;
constexpr int NoWriteToCache = 0x8;
} // namespace nav

// Command numbers of execCommand and their options.
namespace browser_cmd {
constexpr int Print = 6;
constexpr int Cut = 11;
constexpr int Copy = 12;
constexpr int Paste = 13;
constexpr int Undo = 15;
constexpr int SelectAll = 17;
constexpr int DefaultOption = 0;
constexpr int PromptUser = 1;
constexpr int DontPromptUser = 2;
} // namespace browser_cmd

// The document shown: its address, title, HTML and selected text.
struct WebDocument {
    std::string url;
    std::string title;
    std::string html;
    std::string selection;
    bool loaded = false; // false for an address that could not be loaded
};

// One navigation asked of the control, for records and tests.
struct Navigation {
    std::string url;
    int flags = 0;
    std::string targetFrame;
};

class WebBrowser : public Control {
public:
    WebBrowser(Form& form, std::string name, int index);
    ~WebBrowser() override;
    std::string_view kind() const override { return "WebBrowser"; }

    // Starts loading an address ("about:blank": an empty page); the page-loaded event
    // follows from the message loop.
    void navigate(std::string url, int flags = 0, std::string targetFrame = {});
    // History: false (and nothing happens) when there is no page to go to.
    bool canGoBack() const { return position_ > 0; }
    bool canGoForward() const { return position_ + 1 < static_cast<int>(history_.size()); }
    bool goBack();
    bool goForward();
    // Cancels a load in progress.
    void stop();
    // Loads the current address again.
    void reload();
    bool busy() const { return pending_.has_value(); }

    const WebDocument& document() const { return document_; }
    const std::string& locationURL() const { return document_.url; }
    // The document's title; the address when the page has none.
    std::string locationName() const;
    const std::vector<Navigation>& navigations() const { return navigations_; }

    // Runs a command (browser_cmd) on the document; false when it cannot (no document).
    // Cut and copy put the selected text on the clipboard, select all selects the page's
    // text; print, paste and undo are recorded in executed().
    bool execCommand(int command, int option = browser_cmd::DefaultOption);
    const std::vector<int>& executed() const { return executed_; }
    // Selects text of the document (as the user's dragging does).
    void selectText(std::string text);

    // Page loaded: the address.
    std::function<void(const std::string& url)> onNavigateComplete;
    // The document's context menu: return false to keep the page's own menu from showing.
    std::function<bool()> onDocumentContextMenu;
    // Raises the context-menu event (on a loaded page); true when the page's own menu
    // shows, which pageMenus() counts.
    bool raiseDocumentContextMenu();
    int pageMenus() const { return pageMenus_; }

private:
    void load(std::string url, int historyPosition);
    std::vector<std::string> history_;
    int position_ = -1;
    WebDocument document_;
    std::optional<std::uint64_t> pending_;
    std::uint64_t generation_ = 0;
    std::shared_ptr<WebBrowser*> self_;
    std::vector<Navigation> navigations_;
    std::vector<int> executed_;
    int pageMenus_ = 0;
};

} // namespace kv::ui
