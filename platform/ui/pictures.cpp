#include "platform/ui/pictures.h"

#include "platform/ui/application.h"
#include "platform/ui/form.h"

namespace kv::ui {

void PictureBox::setPicture(Picture picture) {
    picture_ = std::move(picture);
    changed(Property::Picture);
}

void PictureBox::setBorderStyle(BorderStyle style) {
    if (style == border_) return;
    border_ = style;
    changed(Property::BorderStyle);
}

void PictureBox::refresh() {
    app().requestPaint({}, *this);
}

void PictureBox::raisePaint(ModelKey) {
    surface_.clear();
    raise(onPaint);
    if (form()->loaded()) app().backend().painted(*this, surface_);
}

void Image::setPicture(Picture picture) {
    picture_ = std::move(picture);
    changed(Property::Picture);
}

void Image::setStretch(bool on) {
    if (on == stretch_) return;
    stretch_ = on;
    changed(Property::Picture);
}

void Image::setTransparent(bool on) {
    if (on == transparent_) return;
    transparent_ = on;
    changed(Property::Picture);
}

} // namespace kv::ui
