#pragma once
// The common base of forms and controls: name, geometry, caption, visibility, enabled
// state, tag, tool tip, font, colours, right-to-left reading, mouse pointer, and the events
// every window raises. Setters tell the backend about each change.

#include "platform/ui/property.h"
#include "platform/ui/types.h"

#include <functional>
#include <string>
#include <string_view>

namespace kv::ui {

class Form;

class Widget {
public:
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;
    virtual ~Widget() = default;

    const std::string& name() const { return name_; }
    // The kind, as the tools named it: "Form", "TextBox", "CommandButton"...
    virtual std::string_view kind() const = 0;
    // The form this widget belongs to (a form is its own).
    virtual Form* form() = 0;

    const Rect& geometry() const { return geometry_; }
    int left() const { return geometry_.left; }
    int top() const { return geometry_.top; }
    int width() const { return geometry_.width; }
    int height() const { return geometry_.height; }
    void setGeometry(Rect rect);
    void move(int left, int top) { setGeometry({left, top, geometry_.width, geometry_.height}); }
    void resize(int width, int height) {
        setGeometry({geometry_.left, geometry_.top, width, height});
    }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool visible() const { return visible_; }
    virtual void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::string& tag() const { return tag_; }
    void setTag(std::string tag);
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string text);
    const Font& font() const { return font_; }
    void setFont(Font font);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);
    Color backColor() const { return backColor_; }
    void setBackColor(Color color);
    bool rightToLeft() const { return rightToLeft_; }
    void setRightToLeft(bool on);
    MousePointer mousePointer() const { return mousePointer_; }
    void setMousePointer(MousePointer pointer);

    // Runs the click path: the same as a click by the user (a button's action, a check
    // box's toggle...), without asking whether the user could click.
    virtual void click();

    // Events. Handlers are plain callbacks set by the program.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseUp;
    std::function<void(const MouseEvent&)> onMouseMove;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

protected:
    explicit Widget(std::string name) : name_(std::move(name)) {}
    // Records a change: lets the widget react (onChanged) and tells the backend.
    void changed(Property property);
    // Hook for kinds that react to their own property changes (a timer re-arms).
    virtual void onChanged(Property) {}
    // Calls a handler when one is set.
    template <class F, class... A> static void raise(const F& handler, A&&... args) {
        if (handler) handler(std::forward<A>(args)...);
    }
    // Starting values a kind's constructor gives, telling nobody.
    void initVisible(bool on) { visible_ = on; }
    void initFont(Font font) { font_ = std::move(font); }
    void initBackColor(Color color) { backColor_ = color; }
    // Takes over the colours, tag and tool tip of the widget this one replaces and sets the
    // reading order, telling nobody (the caller reports the change once).
    void carryOver(const Widget& from, bool rightToLeft);

private:
    friend class Form;
    std::string name_;
    Rect geometry_;
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string tag_;
    std::string toolTip_;
    Font font_;
    Color foreColor_ = kBlack;
    Color backColor_ = kButtonFace;
    bool rightToLeft_ = false;
    MousePointer mousePointer_ = MousePointer::Default;
};

} // namespace kv::ui
