#include "platform/ui/tab_strip.h"

#include "platform/ui/control_properties.h"

namespace kv::ui {
namespace {
const Tab kNoTab{};
} // namespace

int TabStrip::addTab(Tab tab) {
    tabs_.push_back(std::move(tab));
    if (selected_ == 0) selected_ = 1;
    changed(prop::Buttons);
    return tabCount();
}

const Tab& TabStrip::tab(int i) const {
    if (i < 1 || i > tabCount()) return kNoTab;
    return tabs_[static_cast<std::size_t>(i - 1)];
}

void TabStrip::setSelectedIndex(int i) {
    if (i < 1 || i > tabCount() || i == selected_) return;
    selected_ = i;
    changed(prop::Selection);
}

} // namespace kv::ui
