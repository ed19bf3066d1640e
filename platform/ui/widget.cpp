#include "platform/ui/widget.h"

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/internal/current.h"

namespace kv::ui {

void Widget::changed(Property property) {
    onChanged(property);
    Form* f = form();
    if (Application* a = internal::currentApplication(); a && f && f->loaded())
        a->backend().propertyChanged(*this, property);
}

void Widget::setGeometry(Rect rect) {
    if (rect == geometry_) return;
    geometry_ = rect;
    changed(Property::Geometry);
}

void Widget::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void Widget::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    changed(Property::Visible);
}

void Widget::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed(Property::Enabled);
}

void Widget::setTag(std::string tag) {
    tag_ = std::move(tag);
    changed(Property::Tag);
}

void Widget::setToolTip(std::string text) {
    if (text == toolTip_) return;
    toolTip_ = std::move(text);
    changed(Property::ToolTip);
}

void Widget::setFont(Font font) {
    if (font == font_) return;
    font_ = std::move(font);
    changed(Property::Font);
}

void Widget::setForeColor(Color color) {
    if (color == foreColor_) return;
    foreColor_ = color;
    changed(Property::ForeColor);
}

void Widget::setBackColor(Color color) {
    if (color == backColor_) return;
    backColor_ = color;
    changed(Property::BackColor);
}

void Widget::setRightToLeft(bool on) {
    if (on == rightToLeft_) return;
    rightToLeft_ = on;
    changed(Property::RightToLeft);
}

void Widget::setMousePointer(MousePointer pointer) {
    if (pointer == mousePointer_) return;
    mousePointer_ = pointer;
    changed(Property::MousePointer);
}

void Widget::carryOver(const Widget& from, bool rightToLeft) {
    foreColor_ = from.foreColor_;
    backColor_ = from.backColor_;
    tag_ = from.tag_;
    toolTip_ = from.toolTip_;
    rightToLeft_ = rightToLeft;
}

void Widget::click() {
    raise(onClick);
}

} // namespace kv::ui
