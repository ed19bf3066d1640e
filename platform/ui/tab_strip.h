#pragma once
// Tab strips: a row of tabs, one selected. Tabs count from 1.

#include "platform/ui/control.h"

#include <string>
#include <vector>

namespace kv::ui {

class ImageList;

struct Tab {
    std::string caption;
    std::string key;
    std::string tag;
    std::string toolTip;
    int image = 0;
};

class TabStrip : public Control {
public:
    TabStrip(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "TabStrip"; }
    ImageList* imageList() const { return images_; }
    void setImageList(ImageList* list) { images_ = list; }
    int tabCount() const { return static_cast<int>(tabs_.size()); }
    // Adds a tab; returns its index (from 1). The first tab added is selected.
    int addTab(Tab tab);
    const Tab& tab(int i) const; // an empty tab out of range
    // The selected tab (from 1), 0 for none. Selecting from code raises no mouse event.
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int i);

private:
    ImageList* images_ = nullptr;
    std::vector<Tab> tabs_;
    int selected_ = 0;
};

} // namespace kv::ui
