#pragma once
// Picture boxes (containers that draw) and images.

#include "platform/ui/control.h"
#include "platform/ui/model_key.h"
#include "platform/ui/picture.h"
#include "platform/ui/surface.h"

namespace kv::ui {

class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "PictureBox"; }
    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);
    BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(BorderStyle style);
    // The drawing surface of its paint event; refresh() repaints from the message loop.
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    void refresh();
    // For the application only (see ModelKey).
    void raisePaint(ModelKey);
    std::function<void()> onPaint;

private:
    Picture picture_;
    BorderStyle border_ = BorderStyle::FixedSingle;
    Surface surface_;
};

class Image : public Control {
public:
    Image(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "Image"; }
    bool canFocus() const override { return false; }
    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);
    // Stretch the picture to the control's size.
    bool stretch() const { return stretch_; }
    void setStretch(bool on);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);

private:
    Picture picture_;
    bool stretch_ = false;
    bool transparent_ = false;
};

} // namespace kv::ui
