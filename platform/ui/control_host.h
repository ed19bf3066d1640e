#pragma once
// What the menu and browser controls ask of the side that shows them, beyond the Backend:
// the user's turn with a pop-up menu and the pages of the web. One host per process; the
// default one shows nothing and finds no page.

#include <memory>
#include <optional>
#include <string>

namespace kv::ui {

class Menu;

// A page as a browser loads it.
struct WebPage {
    std::string url;
    std::string title;
    std::string html;
};

class ControlHost {
public:
    virtual ~ControlHost() = default;
    // The user's turn with a pop-up menu shown at the pointer: the item picked (if any) has
    // run its click before this returns.
    virtual void popupMenu(Menu&) {}
    // The page at an address; nullopt when it cannot be loaded.
    virtual std::optional<WebPage> fetchPage(const std::string&) { return std::nullopt; }
};

ControlHost& controlHost();
void setControlHost(std::unique_ptr<ControlHost> host);
// Back to the default host.
void resetControlHost();

} // namespace kv::ui
