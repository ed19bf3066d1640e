#pragma once
// Toolbars (keyed buttons with tool tips, pictures, enabled and pressed states,
// separators) and status bars with panels. Buttons and panels count from 1, as the
// programs number them.

#include "platform/ui/control.h"

#include <vector>

namespace kv::ui {

class ImageList;

enum class ToolButtonStyle { Default = 0, Check = 1, Separator = 3 };

struct ToolButton {
    std::string key;
    std::string caption;
    std::string toolTip;
    std::string tag;
    int image = 0; // image of the toolbar's image list, 0 for none
    ToolButtonStyle style = ToolButtonStyle::Default;
    bool enabled = true;
    bool visible = true;
    bool pressed = false;
};

class Toolbar : public Control {
public:
    Toolbar(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "Toolbar"; }
    bool canFocus() const override { return false; }
    ImageList* imageList() const { return images_; }
    void setImageList(ImageList* list) { images_ = list; }
    int buttonCount() const { return static_cast<int>(buttons_.size()); }
    // Adds a button at the end; returns its index (from 1).
    int addButton(ToolButton button);
    const ToolButton& button(int i) const; // an empty button out of range
    // The index of the button with that key (exactly), 0 if none.
    int find(std::string_view key) const;
    // Setters ignore an index out of range.
    void setButtonEnabled(int i, bool on);
    void setButtonVisible(int i, bool on);
    void setButtonPressed(int i, bool on);
    void setButtonToolTip(int i, std::string text);
    void setButtonImage(int i, int image);
    // Repaints the bar (after many changes).
    void refresh();

    // A button clicked by the user (the button's index).
    std::function<void(int button)> onButtonClick;
    void raiseButtonClick(int i) { raise(onButtonClick, i); }

private:
    ToolButton* at(int i);
    ImageList* images_ = nullptr;
    std::vector<ToolButton> buttons_;
};

class StatusBar : public Control {
public:
    StatusBar(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "StatusBar"; }
    bool canFocus() const override { return false; }
    int panelCount() const { return static_cast<int>(panels_.size()); }
    // Adds a panel; returns its index (from 1).
    int addPanel(std::string text = {});
    // Panel i's text (empty out of range); setting a panel beyond the last is ignored.
    std::string panelText(int i) const;
    void setPanelText(int i, std::string text);

private:
    std::vector<std::string> panels_;
};

} // namespace kv::ui
