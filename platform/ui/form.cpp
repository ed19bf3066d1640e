#include "platform/ui/form.h"

#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/internal/current.h"
#include "platform/ui/timer.h"

#include <algorithm>

namespace kv::ui {

Form::Form(std::string name, Units units) : Widget(std::move(name)), units_(units) {
    visible_ = false;
}

Form::~Form() = default;

namespace {

// A control taken off its form is kept alive for running handlers, but must not tick.
void stopTimer(Control& control, ModelKey key) {
    if (auto* timer = dynamic_cast<Timer*>(&control))
        if (Application* a = internal::currentApplication()) a->unschedule(key, *timer);
}

} // namespace

void Form::adopt(std::unique_ptr<Control> control, Control* container) {
    control->moveInto(container);
    control->tabIndex_ = static_cast<int>(controls_.size());
    Control& ref = *control;
    controls_.push_back(std::move(control));
    if (loaded_) app().backend().controlAdded(ref);
}

void Form::remove(Control& control) {
    auto it = std::find_if(controls_.begin(), controls_.end(),
                           [&](const auto& c) { return c.get() == &control; });
    if (it == controls_.end()) return;
    if (active_ == &control) active_ = nullptr;
    for (auto& c : controls_)
        if (c->container_ == &control) c->moveInto(control.container_);
    if (control.container_) control.container_->released(control); // it keeps its container
    if (loaded_) app().backend().controlRemoved(control);
    stopTimer(control, {});
    control.setVisible(false);
    removed_.push_back(std::move(*it));
    controls_.erase(it);
}

void Form::replaceWith(Control& old, std::unique_ptr<Control> control) {
    auto it = std::find_if(controls_.begin(), controls_.end(),
                           [&](const auto& c) { return c.get() == &old; });
    if (it == controls_.end()) return;
    control->moveInto(old.container_);
    control->tabIndex_ = old.tabIndex_;
    control->tabStop_ = old.tabStop_;
    control->geometry_ = old.geometry_;
    control->visible_ = old.visible_;
    control->enabled_ = old.enabled_;
    control->font_ = old.font_;
    control->rightToLeft_ = old.rightToLeft_;
    for (auto& c : controls_)
        if (c->container_ == &old) c->moveInto(control.get());
    if (old.container_) old.container_->released(old);
    if (active_ == &old) active_ = nullptr;
    if (loaded_) app().backend().controlRemoved(old);
    stopTimer(old, {});
    Control& ref = *control;
    removed_.push_back(std::move(*it));
    *it = std::move(control);
    if (loaded_) app().backend().controlAdded(ref);
}

Control* Form::find(std::string_view name, int index) const {
    for (const auto& c : controls_)
        if (c->index_ == index && text::equalsNoCase(c->name_, name)) return c.get();
    return nullptr;
}

std::vector<Control*> Form::controls() const {
    std::vector<Control*> out;
    for (const auto& c : controls_)
        out.push_back(c.get());
    return out;
}

std::vector<Control*> Form::controlArray(std::string_view name) const {
    std::vector<Control*> out;
    for (const auto& c : controls_)
        if (c->index_ >= 0 && text::equalsNoCase(c->name_, name)) out.push_back(c.get());
    std::stable_sort(out.begin(), out.end(),
                     [](Control* a, Control* b) { return a->index() < b->index(); });
    return out;
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> out;
    for (const auto& c : controls_)
        if (c->canFocus() && c->tabStop() && c->reachable()) out.push_back(c.get());
    std::stable_sort(out.begin(), out.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    return out;
}

void Form::setWindowState(WindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    changed(Property::WindowState);
    if (loaded_) raiseResize({});
}

void Form::setBorderStyle(BorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    changed(Property::BorderStyle);
}

void Form::setTopMost(bool on) {
    if (on == topMost_) return;
    topMost_ = on;
    changed(Property::TopMost);
}

void Form::setFullScreen(bool on) {
    if (on == fullScreen_) return;
    fullScreen_ = on;
    changed(Property::FullScreen);
}

void Form::setOwner(Form* owner) {
    if (owner == owner_ || owner == this) return;
    owner_ = owner;
    changed(Property::Owner);
}

void Form::show(ShowMode mode, Form* owner) {
    app().showForm({}, *this, mode, owner);
}

void Form::setVisible(bool visible) {
    if (visible)
        app().showForm({}, *this, ShowMode::Modeless, nullptr);
    else
        app().hideForm({}, *this);
}

bool Form::unload(UnloadMode mode) {
    return app().unloadForm({}, *this, mode);
}

bool Form::close(UnloadMode mode) {
    if (!loaded_) return true;
    if (closeAction_ == CloseAction::Unload) return unload(mode);
    int cancel = 0;
    raise(onQueryUnload, cancel, mode);
    if (cancel != 0) return false;
    hide();
    return true;
}

void Form::bringToFront() {
    app().bringToFront({}, *this);
}

void Form::placeBelow(Form& above) {
    app().placeBelow({}, *this, above);
}

void Form::refresh() {
    app().requestPaint({}, *this);
}

void Form::raiseLoad(ModelKey) {
    raise(onLoad);
}

void Form::raisePaint(ModelKey) {
    surface_.clear();
    paintedOnce_ = true;
    raise(onPaint);
    if (loaded_) app().backend().painted(*this, surface_);
}

void Form::setFocusTo(ModelKey, Control* control) {
    if (control == active_) return;
    Control* old = active_;
    active_ = control;
    if (old) old->focusLeft();
    if (old) raise(old->onLostFocus);
    if (control && active_ == control) raise(control->onGotFocus);
    changed(Property::Focus);
}

void Form::onChanged(Property property) {
    if (property != Property::Geometry) return;
    Size size{geometry_.width, geometry_.height};
    if (size == lastSize_) return;
    lastSize_ = size;
    if (loaded_ && visible_) raiseResize({});
}

} // namespace kv::ui
