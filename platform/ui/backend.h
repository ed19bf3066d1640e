#pragma once
// What shows the window model: the headless backend for tests, the wx backend for users.
// The model tells its backend about every window and property change; the backend owns the
// clock, waits for input, answers message boxes and keeps the clipboard.

#include "platform/ui/message_box.h"
#include "platform/ui/model_key.h"
#include "platform/ui/property.h"
#include "platform/ui/surface.h"
#include "platform/ui/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv::ui {

class Control;
class Form;
class Widget;

// A wait of the message loop for input. `until`: the tick count at which the wait ends (a
// due timer or the caller's deadline); none for an open-ended wait. `openEnded`: the loop
// waits for the user (the program's run or a modal show) rather than for a deadline of its
// own; `since` is the tick count at which that loop began.
struct IdleRequest {
    std::optional<std::uint32_t> until;
    bool openEnded = false;
    std::uint32_t since = 0;
    const Form* modal = nullptr; // the form of a modal show, if that is what waits
};

class Backend {
public:
    virtual ~Backend() = default;

    // The tick count in milliseconds since start (it wraps after 2^32 ms).
    virtual std::uint32_t tickCount() = 0;
    // Waits for input or for `until`; false when nothing can ever arrive, so the loop that
    // waits must give up.
    virtual bool idle(const IdleRequest& request) = 0;
    // Handles one piece of the backend's own pending input; false when there is none.
    virtual bool pumpInput() { return false; }
    // Draws what needs drawing in the windows, taking no input and running nothing of the
    // program's (a wait that is not the message loop's, like a service request).
    virtual void repaint() {}

    // Windows: loaded (created), shown, hidden, unloaded (destroyed).
    virtual void formLoaded(Form&) {}
    virtual void formShown(Form&, ShowMode) {}
    virtual void formHidden(Form&) {}
    virtual void formUnloaded(Form&) {}
    // The user's turn with a form just shown modally; the modal show goes on pumping until
    // the form hides or unloads.
    virtual void modalTurn(Form&) {}
    // A control was added to or removed from a loaded form.
    virtual void controlAdded(Control&) {}
    virtual void controlRemoved(Control&) {}
    // A property of a form or control changed.
    virtual void propertyChanged(Widget&, Property) {}
    // A form or picture box painted itself on its surface.
    virtual void painted(Widget&, const Surface&) {}

    // Shows a box and returns the platform's answer (id::Ok...).
    virtual int messageBox(const MessageBoxRequest& request) = 0;
    // Asks for a folder with the toolkit's own picker, titled `title`, starting at the host
    // folder `start` (UTF-8): the chosen host folder, empty when the user cancelled; nullopt
    // when the backend has no picker of its own (the model's picker form asks instead).
    virtual std::optional<std::string> pickFolder(const Form* owner, const std::string& title,
                                                  const std::string& start) {
        (void)owner, (void)title, (void)start;
        return std::nullopt;
    }
    virtual void setClipboardText(const std::string& text) = 0;
    virtual std::string clipboardText() = 0;
    // The client area of a loaded form's real window in the form's units; none where the
    // platform's standard metrics apply (docking.h).
    virtual std::optional<Size> clientSize(const Form&) { return std::nullopt; }
    // The extent of one line of text in pixels (the headless metric is a fixed formula).
    virtual Size measureText(std::string_view text, const Font& font);
    // A message loop gave up: nothing pending and nothing can arrive (see idle).
    virtual void loopStuck(const IdleRequest&) {}

protected:
    // Opens the model's internal calls to the backends.
    static ModelKey modelKey() { return {}; }
};

} // namespace kv::ui
