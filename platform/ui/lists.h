#pragma once
// Combo boxes and list boxes: entries with a text and an item value, and the selection.

#include "platform/ui/control.h"

#include <cstdint>
#include <vector>

namespace kv::ui {

struct ListEntry {
    std::string text;
    std::int32_t data = 0; // the item value
    bool selected = false; // list boxes with several selections
    bool checked = false;  // list boxes with check boxes
    bool operator==(const ListEntry&) const = default;
};

// What combo and list boxes share.
class ListControl : public Control {
public:
    int listCount() const { return static_cast<int>(entries_.size()); }
    const std::vector<ListEntry>& entries() const { return entries_; }
    // Entry i's text and item value (empty and 0 out of range).
    std::string list(int i) const;
    std::int32_t itemData(int i) const;
    void setItemData(int i, std::int32_t data);
    // Adds an entry at `at` (-1: at the end, or in sorted place when sorted).
    void addItem(std::string text, int at = -1);
    void removeItem(int i);
    void clear();
    // Entries kept in order of their texts (without regard to case).
    bool sorted() const { return sorted_; }
    void setSorted(bool on) { sorted_ = on; }
    // Index of the selected entry; -1 for none. A change raises the click event.
    int listIndex() const { return listIndex_; }
    virtual void setListIndex(int index);
    // The index of the entry with that text (without regard to case), -1 if none.
    int findText(std::string_view text) const;
    // The index of the newest entry added.
    int newIndex() const { return newIndex_; }

protected:
    using Control::Control;
    virtual void selectionChanged() {}
    std::vector<ListEntry> entries_;
    int listIndex_ = -1;
    bool sorted_ = false;
    int newIndex_ = -1;
};

enum class ComboStyle { DropDownCombo = 0, Simple = 1, DropDownList = 2 };

class ComboBox : public ListControl {
public:
    ComboBox(Form& form, std::string name, int index) : ListControl(form, std::move(name), index) {}
    std::string_view kind() const override { return "ComboBox"; }
    // A drop-down list is pick-only; the other styles have an editable text.
    ComboStyle style() const { return style_; }
    void setStyle(ComboStyle style);
    // The edit text: the selected entry's text for a drop-down list.
    const std::string& text() const { return text_; }
    // Sets the edit text (raises the change event); for a drop-down list selects the entry
    // of that text, and does nothing when there is none.
    void setText(std::string text);

    std::function<void()> onChange;

protected:
    void selectionChanged() override;

private:
    ComboStyle style_ = ComboStyle::DropDownCombo;
    std::string text_;
};

class ListBox : public ListControl {
public:
    ListBox(Form& form, std::string name, int index) : ListControl(form, std::move(name), index) {}
    std::string_view kind() const override { return "ListBox"; }
    bool multiSelect() const { return multiSelect_; }
    void setMultiSelect(bool on) { multiSelect_ = on; }
    bool selected(int i) const;
    void setSelected(int i, bool on);
    // The selected entry's text; empty when none.
    std::string text() const { return list(listIndex_); }
    // A check box before every entry.
    bool checkBoxes() const { return checkBoxes_; }
    void setCheckBoxes(bool on);
    bool itemChecked(int i) const;
    // Ticks or clears entry i; a change raises the item-check event with its index.
    void setItemChecked(int i, bool on);
    std::function<void(int index)> onItemCheck;

private:
    bool multiSelect_ = false;
    bool checkBoxes_ = false;
};

} // namespace kv::ui
