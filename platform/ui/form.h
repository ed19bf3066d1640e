#pragma once
// A form: a window that owns named controls (control arrays included), with its window
// properties, its lifecycle (load, show modeless or modal, hide, unload) and its events.
// Forms are loaded through the application (app().form<T>()), which owns them.

#include "platform/ui/control.h"
#include "platform/ui/model_key.h"
#include "platform/ui/surface.h"
#include "platform/ui/widget.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::ui {

// What closing a form by the user or close() does after the query-unload event allowed it.
enum class CloseAction { Unload, Hide };

class Form : public Widget {
public:
    explicit Form(std::string name, Units units = Units::Twips);
    ~Form() override;
    std::string_view kind() const override { return "Form"; }
    Form* form() override { return this; }
    Units units() const { return units_; }
    // The window's handle: a non-zero number, its own for as long as the form exists.
    std::uintptr_t handle() const { return reinterpret_cast<std::uintptr_t>(this); }

    // Adds a control made at design or at run time (a new element of a control array).
    template <class T> T& add(std::string name, int index = -1, Control* container = nullptr) {
        auto owned = std::make_unique<T>(*this, std::move(name), index);
        T& ref = *owned;
        adopt(std::move(owned), container);
        return ref;
    }
    // Removes a control (an element of a control array unloaded at run time).
    void remove(Control& control);
    // Replaces a control by a new one of another kind in its place: same name, index,
    // container, geometry, visibility and tab index.
    template <class T> T& replace(Control& old) {
        auto owned = std::make_unique<T>(*this, old.name(), old.index());
        T& ref = *owned;
        replaceWith(old, std::move(owned));
        return ref;
    }
    // The control of that name (without regard to case) and array index; nullptr if none.
    Control* find(std::string_view name, int index = -1) const;
    template <class T> T* find(std::string_view name, int index = -1) const {
        return dynamic_cast<T*>(find(name, index));
    }
    // Every control in the order added; the elements of one control array by index.
    std::vector<Control*> controls() const;
    std::vector<Control*> controlArray(std::string_view name) const;
    // The controls that take the focus by Tab, in tab order.
    std::vector<Control*> tabOrder() const;
    Control* activeControl() const { return active_; }

    // Window properties.
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    bool popup() const { return borderStyle_ == BorderStyle::None; }
    bool topMost() const { return topMost_; }
    void setTopMost(bool on);
    bool fullScreen() const { return fullScreen_; }
    void setFullScreen(bool on);
    Form* owner() const { return owner_; }
    void setOwner(Form* owner);
    CloseAction closeAction() const { return closeAction_; }
    void setCloseAction(CloseAction action) { closeAction_ = action; }
    // The form's own key events run before those of the control that has the focus; a key
    // code or character the form's handler sets to 0 goes no further.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    // Lifecycle.
    bool loaded() const { return loaded_; }
    // Shown: visible on screen (modeless or modal).
    bool shown() const { return loaded_ && visible_; }
    bool modal() const { return modal_; }
    // Shows the form; a modal show returns when the form is hidden or unloaded.
    void show(ShowMode mode = ShowMode::Modeless, Form* owner = nullptr);
    void setVisible(bool visible) override;
    void hide() { setVisible(false); }
    // Unloads the form with its query-unload and unload events; false when one cancelled.
    bool unload(UnloadMode mode = UnloadMode::FromCode);
    // Closes the form as the user's close box does: query-unload, then the close action.
    bool close(UnloadMode mode = UnloadMode::FromControlMenu);
    // Brings the form to the front of the order of windows.
    void bringToFront();
    // Places the form directly below `above` in the order of windows (both shown), without
    // activating, moving or sizing it.
    void placeBelow(Form& above);
    // Asks for a repaint: the paint event runs from the message loop.
    void refresh();
    // The drawing surface that the paint event draws on.
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }

    // Events.
    std::function<void()> onLoad;
    std::function<void(int& cancel, UnloadMode mode)> onQueryUnload;
    std::function<void(int& cancel)> onUnload;
    std::function<void()> onActivate;
    std::function<void()> onPaint;
    std::function<void()> onResize;

    // Whether the form has painted at least once.
    bool painted() const { return paintedOnce_; }

    // For the application and the backends only (see ModelKey).
    void raiseLoad(ModelKey);
    void raisePaint(ModelKey);
    void raiseActivate(ModelKey) { raise(onActivate); }
    void raiseResize(ModelKey) { raise(onResize); }
    void setFocusTo(ModelKey, Control* control);
    void markLoaded(ModelKey, bool on) { loaded_ = on; }
    void markModal(ModelKey, bool on) { modal_ = on; }
    void markVisible(ModelKey, bool on) { visible_ = on; }
    // True the first time it is asked after the form was first shown.
    bool firstShow(ModelKey) { return !std::exchange(shownOnce_, true); }

protected:
    void onChanged(Property property) override;

private:
    void adopt(std::unique_ptr<Control> control, Control* container);
    void replaceWith(Control& old, std::unique_ptr<Control> control);

    Units units_;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* active_ = nullptr;
    WindowState windowState_ = WindowState::Normal;
    BorderStyle borderStyle_ = BorderStyle::Sizable;
    bool topMost_ = false;
    bool fullScreen_ = false;
    Form* owner_ = nullptr;
    CloseAction closeAction_ = CloseAction::Unload;
    bool keyPreview_ = false;
    bool loaded_ = false;
    bool modal_ = false;
    bool paintedOnce_ = false;
    bool shownOnce_ = false;
    std::vector<std::unique_ptr<Control>> removed_; // kept while a handler may use them
    Size lastSize_;
    Surface surface_;
};

} // namespace kv::ui
