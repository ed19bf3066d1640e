#include "platform/ui/headless/controls.h"

#include "platform/text/ansi.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"

#include <utility>

namespace kv::ui::headless {

void HeadlessControls::onPopup(const std::string& menuName, std::function<void(Menu&)> turn) {
    turns_[text::toUpper(menuName)].push_back(std::move(turn));
}

void HeadlessControls::popupMenu(Menu& menu) {
    popups_.push_back(menu.name());
    if (auto* backend = dynamic_cast<HeadlessBackend*>(&app().backend()))
        backend->note("popup " + menu.form()->name() + "." + menu.displayName());
    auto it = turns_.find(text::toUpper(menu.name()));
    if (it == turns_.end() || it->second.empty()) {
        unexpected_.push_back(menu.name());
        return;
    }
    auto turn = std::move(it->second.front());
    it->second.pop_front();
    Menu* outer = std::exchange(current_, &menu);
    turn(menu);
    current_ = outer;
}

void HeadlessControls::addPage(std::string url, std::string title, std::string html) {
    WebPage page{url, std::move(title), std::move(html)};
    pages_[std::move(url)] = std::move(page);
}

void HeadlessControls::removePage(const std::string& url) {
    pages_.erase(url);
}

std::optional<WebPage> HeadlessControls::fetchPage(const std::string& url) {
    fetched_.push_back(url);
    auto it = pages_.find(url);
    if (it == pages_.end()) return std::nullopt;
    return it->second;
}

HeadlessControls& installControls() {
    auto host = std::make_unique<HeadlessControls>();
    HeadlessControls& ref = *host;
    setControlHost(std::move(host));
    return ref;
}

} // namespace kv::ui::headless
