#pragma once
// Image lists: pictures numbered from 1 (0 means none), each with an optional key, for the
// icons of list views, tree views, toolbars and tab strips.

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

#include <vector>

namespace kv::ui {

class ImageList : public Control {
public:
    ImageList(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "ImageList"; }
    bool canFocus() const override { return false; }
    int count() const { return static_cast<int>(images_.size()); }
    // Adds a picture; returns its number (from 1).
    int add(Picture picture, std::string key = {});
    // Picture i (an empty one out of range); the number of the picture with a key, 0 if none.
    const Picture& picture(int i) const;
    int find(std::string_view key) const;
    void clear();

private:
    std::vector<std::pair<std::string, Picture>> images_;
};

} // namespace kv::ui
