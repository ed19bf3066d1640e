#pragma once
// The base of every control: its form, its index in a control array, its container (a
// frame or picture box, or the form itself), focus and tab order.

#include "platform/ui/widget.h"

#include <string>

namespace kv::ui {

class Control : public Widget {
public:
    Form* form() override { return form_; }
    const Form* form() const { return form_; }
    // Index in a control array (txtFeedback(2) has 2); -1 for a control outside an array.
    int index() const { return index_; }
    // "txtFeedback(2)" or "cmdOK".
    std::string displayName() const;

    // The frame or picture box holding the control; nullptr when it sits on the form.
    Control* container() const { return container_; }
    void setContainer(Control* container);

    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool on) { tabStop_ = on; }
    // Docking along an edge of the form (arrangeDocked in docking.h places docked controls).
    Align align() const { return align_; }
    void setAlign(Align align);
    // Whether the control can take the focus (kinds like labels and timers never can).
    virtual bool canFocus() const { return true; }
    // Moves the focus here; false (and nothing changes) when the control is hidden,
    // disabled, on a hidden form or of a kind that takes no focus.
    bool setFocus();
    bool hasFocus() const;

    // Visible and enabled itself, in its containers and on its form: the user can reach it.
    bool reachable() const;

protected:
    Control(Form& form, std::string name, int index);
    // Told when a control comes to sit in this one or leaves it (a menu keeps its items).
    virtual void held(Control&) {}
    virtual void released(Control&) {}

private:
    friend class Form;
    // Moves the control into `container` (nullptr: onto the form), telling both containers.
    void moveInto(Control* container);
    // Told when the focus has left the control.
    virtual void focusLeft() {}
    Form* form_;
    int index_;
    Control* container_ = nullptr;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    Align align_ = Align::None;
};

} // namespace kv::ui
