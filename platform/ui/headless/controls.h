#pragma once
// The headless user of pop-up menus and the fake web that headless browsers load pages
// from: a test queues what the user picks in each pop-up of a named menu and fills the
// web with pages (address to title and HTML).

#include "platform/ui/control_host.h"
#include "platform/ui/menu.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kv::ui::headless {

class HeadlessControls : public ControlHost {
public:
    // The user's turn with the next pop-up of the named menu (in order); a pop-up with no
    // turn queued is dismissed and recorded as unexpected.
    void onPopup(const std::string& menuName, std::function<void(Menu&)> turn);
    // The pop-ups shown, by menu name, in order.
    const std::vector<std::string>& popups() const { return popups_; }
    // Pop-ups that no test turn handled.
    const std::vector<std::string>& unexpectedPopups() const { return unexpected_; }
    // The menu now shown as a pop-up, nullptr when none.
    Menu* currentPopup() const { return current_; }

    // The fake web. Addresses match exactly.
    void addPage(std::string url, std::string title, std::string html);
    void removePage(const std::string& url);
    // Every address fetched, in order.
    const std::vector<std::string>& fetched() const { return fetched_; }

    void popupMenu(Menu& menu) override;
    std::optional<WebPage> fetchPage(const std::string& url) override;

private:
    std::map<std::string, std::deque<std::function<void(Menu&)>>> turns_;
    std::vector<std::string> popups_;
    std::vector<std::string> unexpected_;
    Menu* current_ = nullptr;
    std::map<std::string, WebPage> pages_;
    std::vector<std::string> fetched_;
};

// Installs a fresh headless control host for this process and returns it.
HeadlessControls& installControls();

} // namespace kv::ui::headless
