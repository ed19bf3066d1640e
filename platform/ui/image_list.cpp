#include "platform/ui/image_list.h"

#include "platform/ui/control_properties.h"

namespace kv::ui {
namespace {
const Picture kNoPicture{};
} // namespace

int ImageList::add(Picture picture, std::string key) {
    images_.emplace_back(std::move(key), std::move(picture));
    changed(prop::Images);
    return count();
}

const Picture& ImageList::picture(int i) const {
    if (i < 1 || i > count()) return kNoPicture;
    return images_[static_cast<std::size_t>(i - 1)].second;
}

int ImageList::find(std::string_view key) const {
    for (int i = 1; i <= count(); ++i)
        if (!key.empty() && images_[static_cast<std::size_t>(i - 1)].first == key) return i;
    return 0;
}

void ImageList::clear() {
    images_.clear();
    changed(prop::Images);
}

} // namespace kv::ui
