#include "platform/ui/lists.h"

#include "platform/text/ansi.h"

namespace kv::ui {

std::string ListControl::list(int i) const {
    if (i < 0 || i >= listCount()) return {};
    return entries_[static_cast<std::size_t>(i)].text;
}

std::int32_t ListControl::itemData(int i) const {
    if (i < 0 || i >= listCount()) return 0;
    return entries_[static_cast<std::size_t>(i)].data;
}

void ListControl::setItemData(int i, std::int32_t data) {
    if (i < 0 || i >= listCount()) return;
    entries_[static_cast<std::size_t>(i)].data = data;
    changed(Property::Items);
}

void ListControl::addItem(std::string text, int at) {
    if (at < 0 || at > listCount()) {
        at = listCount();
        if (sorted_) {
            at = 0;
            while (at < listCount() &&
                   text::compareNoCase(entries_[static_cast<std::size_t>(at)].text, text) <= 0)
                ++at;
        }
    }
    entries_.insert(entries_.begin() + at, ListEntry{std::move(text), 0, false});
    if (listIndex_ >= at) ++listIndex_;
    newIndex_ = at;
    changed(Property::Items);
}

void ListControl::removeItem(int i) {
    if (i < 0 || i >= listCount()) return;
    entries_.erase(entries_.begin() + i);
    bool selectionLost = listIndex_ == i;
    if (listIndex_ > i) --listIndex_;
    if (selectionLost) {
        listIndex_ = -1;
        selectionChanged();
    }
    changed(Property::Items);
}

void ListControl::clear() {
    entries_.clear();
    newIndex_ = -1;
    if (listIndex_ != -1) {
        listIndex_ = -1;
        selectionChanged();
    }
    changed(Property::Items);
}

void ListControl::setListIndex(int index) {
    if (index < -1 || index >= listCount() || index == listIndex_) return;
    listIndex_ = index;
    selectionChanged();
    changed(Property::ListIndex);
    raise(onClick);
}

int ListControl::findText(std::string_view text) const {
    for (int i = 0; i < listCount(); ++i)
        if (text::equalsNoCase(entries_[static_cast<std::size_t>(i)].text, text)) return i;
    return -1;
}

void ComboBox::setStyle(ComboStyle style) {
    if (style == style_) return;
    style_ = style;
    changed(Property::Style);
}

void ComboBox::setText(std::string text) {
    if (style_ == ComboStyle::DropDownList) {
        int i = findText(text);
        if (i >= 0) setListIndex(i);
        return;
    }
    if (text == text_) return;
    text_ = std::move(text);
    listIndex_ = findText(text_);
    changed(Property::Text);
    raise(onChange);
}

void ComboBox::selectionChanged() {
    if (listIndex_ >= 0)
        text_ = list(listIndex_);
    else if (style_ == ComboStyle::DropDownList)
        text_.clear();
    changed(Property::Text);
}

bool ListBox::selected(int i) const {
    if (i < 0 || i >= listCount()) return false;
    return multiSelect_ ? entries_[static_cast<std::size_t>(i)].selected : i == listIndex_;
}

void ListBox::setSelected(int i, bool on) {
    if (i < 0 || i >= listCount()) return;
    if (!multiSelect_) {
        if (on)
            setListIndex(i);
        else if (i == listIndex_)
            setListIndex(-1);
        return;
    }
    entries_[static_cast<std::size_t>(i)].selected = on;
    changed(Property::ListIndex);
}

void ListBox::setCheckBoxes(bool on) {
    if (on == checkBoxes_) return;
    checkBoxes_ = on;
    changed(Property::Style);
}

bool ListBox::itemChecked(int i) const {
    if (i < 0 || i >= listCount()) return false;
    return entries_[static_cast<std::size_t>(i)].checked;
}

void ListBox::setItemChecked(int i, bool on) {
    if (i < 0 || i >= listCount() || itemChecked(i) == on) return;
    entries_[static_cast<std::size_t>(i)].checked = on;
    changed(Property::Value);
    raise(onItemCheck, i);
}

} // namespace kv::ui
