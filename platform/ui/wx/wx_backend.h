#pragma once
// The backend that shows the window model as real windows with wxWidgets: a top-level
// window per shown form, a widget per control kept in step with the model both ways,
// message boxes, the clipboard, the busy cursor and a message loop that keeps the windows
// responsive while the program waits.

#include "platform/ui/backend.h"
#include "platform/ui/control_host.h"

#include <memory>

class wxWindow;

namespace kv::ui {
class Menu;
}

namespace kv::ui::wx {

class WxBackend : public Backend {
public:
    // Starts the toolkit when needed; check ready() before use.
    WxBackend();
    ~WxBackend() override;
    // False when the toolkit could not start (no display).
    bool ready() const;

    // The widget showing a form or control; nullptr while it has none (a form not yet
    // shown, a timer). For tests and screenshots.
    wxWindow* window(const Widget& widget) const;
    // Shows a pop-up menu at the pointer; a picked item has run its click on return.
    void popupMenu(Menu& menu);
    // The toolkit's id of a menu item shown on its form's menu bar; wxID_NONE for none.
    int menuId(const Menu& menu) const;

    // Backend
    std::uint32_t tickCount() override;
    bool idle(const IdleRequest& request) override;
    bool pumpInput() override;
    void repaint() override;
    void formShown(Form& form, ShowMode mode) override;
    void formHidden(Form& form) override;
    void formUnloaded(Form& form) override;
    void controlAdded(Control& control) override;
    void controlRemoved(Control& control) override;
    void propertyChanged(Widget& widget, Property property) override;
    void painted(Widget& widget, const Surface& surface) override;
    int messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> pickFolder(const Form* owner, const std::string& title,
                                          const std::string& start) override;
    void setClipboardText(const std::string& text) override;
    std::string clipboardText() override;
    std::optional<Size> clientSize(const Form& form) override;
    Size measureText(std::string_view text, const Font& font) override;

    struct State;

private:
    std::unique_ptr<State> state_;
};

// The control host of the wx backend: pop-up menus as real menus at the pointer; pages
// from `pages` (the default host when none), so a program's own page source can be kept.
class PopupHost : public ControlHost {
public:
    explicit PopupHost(std::unique_ptr<ControlHost> pages = nullptr);
    void popupMenu(Menu& menu) override;
    std::optional<WebPage> fetchPage(const std::string& url) override;

private:
    std::unique_ptr<ControlHost> pages_;
};

// Sizes the fonts of real windows for a display of `pixelsPerInch` (96 until set).
void setPixelsPerInch(int pixelsPerInch);
// Whether a display is there for the toolkit ($DISPLAY or $WAYLAND_DISPLAY set).
bool displayAvailable();
// Resets the application and installs a wx backend on it (and a PopupHost as the control
// host), its fonts sized for a display of `pixelsPerInch`; nullptr (and nothing installed)
// when the toolkit cannot start.
WxBackend* install(int pixelsPerInch = 96);

} // namespace kv::ui::wx
