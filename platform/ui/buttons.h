#pragma once
// Command buttons, check boxes and option buttons.

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

namespace kv::ui {

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, int index)
        : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "CommandButton"; }
    // The default button answers Enter, the cancel button Escape.
    bool isDefault() const { return default_; }
    void setDefault(bool on) { default_ = on; }
    bool isCancel() const { return cancel_; }
    void setCancel(bool on) { cancel_ = on; }
    // A graphical button's picture, shown instead of its caption (empty: the caption).
    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);

private:
    bool default_ = false;
    bool cancel_ = false;
    Picture picture_;
};

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "CheckBox"; }
    CheckState value() const { return value_; }
    bool checked() const { return value_ == CheckState::Checked; }
    // Sets the state; a change raises the click event, as on the platform.
    void setValue(CheckState state);
    void setChecked(bool on) { setValue(on ? CheckState::Checked : CheckState::Unchecked); }
    // A click toggles between checked and unchecked (and raises the click event).
    void click() override;

private:
    CheckState value_ = CheckState::Unchecked;
};

class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "OptionButton"; }
    bool value() const { return value_; }
    // Selecting one clears the other option buttons of the same container; selecting
    // raises the click event.
    void setValue(bool on);
    void click() override;

private:
    void clearSiblings();
    bool value_ = false;
};

} // namespace kv::ui
