#include "platform/ui/wx/wx_backend.h"

#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/control_host.h"
#include "platform/ui/control_properties.h"
#include "platform/ui/frame.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/user_input.h"
#include "platform/ui/wx/internal/adapter.h"
#include "platform/ui/wx/internal/convert.h"
#include "platform/ui/wx/internal/menu_bar.h"
#include "platform/ui/wx/internal/message_dialog.h"
#include "platform/ui/wx/internal/toolkit.h"
#include "platform/ui/wx/internal/views.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kv::ui::wx {

using namespace internal;

namespace {

long frameStyle(const Form& form) {
    long style = 0;
    switch (form.borderStyle()) {
    case BorderStyle::None:
        style = wxBORDER_NONE;
        break;
    case BorderStyle::FixedSingle:
        style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX;
        break;
    case BorderStyle::Sizable:
        style = wxDEFAULT_FRAME_STYLE;
        break;
    case BorderStyle::FixedDialog:
        style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
        break;
    case BorderStyle::FixedToolWindow:
        style = wxCAPTION | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW;
        break;
    case BorderStyle::SizableToolWindow:
        style = wxCAPTION | wxCLOSE_BOX | wxRESIZE_BORDER | wxFRAME_TOOL_WINDOW;
        break;
    }
    if (form.topMost()) style |= wxSTAY_ON_TOP;
    return style;
}

bool isBusy(MousePointer p) {
    return p == MousePointer::Hourglass || p == MousePointer::ArrowHourglass;
}

} // namespace

struct FormView {
    wxTopLevelWindow* top = nullptr;
    std::unique_ptr<MenuBar> menus; // frames with menus
    wxWindow* canvas = nullptr;
    std::unique_ptr<wxWindowDisabler> modal;
};

// Hashes texts by view, so a measured size is found without copying the text.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

struct WxBackend::State {
    bool ready = false;
    bool closing = false;
    int applying = 0;           // model changes being applied: the widgets' echoes are no input
    bool activating = false;    // the model follows a window the user brought up
    bool input = false;         // user input reached the model since the last look
    std::exception_ptr failure; // thrown by program code inside a toolkit callback
    const Control* typing = nullptr;
    bool busy = false;
    int boxes = 0;          // message boxes open
    bool paintOnly = false; // a repaint outside the message loop: no input reaches the model
    std::map<const Form*, std::unique_ptr<FormView>> forms;
    std::map<const Widget*, wxWindow*> windows; // forms and controls shown, by model object
    // What measures texts, kept from one measure to the next, and the sizes measured per font
    // (sizing a list's columns measures every row, and a column repeats many texts).
    std::unique_ptr<wxScreenDC> measureDc;
    struct Measured {
        Font font;
        int pixelsPerInch = 0;
        std::unordered_map<std::string, wxSize, TextHash, std::equal_to<>> sizes;
    };
    std::vector<Measured> measured;
    const Measured* measureFont = nullptr; // the font set on measureDc

    wxWindow* windowOf(const Widget* w) const {
        auto it = windows.find(w);
        return it == windows.end() ? nullptr : it->second;
    }
    FormView* view(const Form* f) const {
        auto it = forms.find(f);
        return it == forms.end() ? nullptr : it->second.get();
    }

    // Runs user input on the model when the widget still shows that model object. Program
    // code may end the program by throwing; that is kept and rethrown outside the toolkit.
    template <class F> bool deliver(const Widget* w, const wxWindow* self, F&& fn) {
        if (closing || paintOnly || applying > 0 || failure || windowOf(w) != self) return false;
        input = true;
        try {
            fn();
        } catch (...) {
            failure = std::current_exception();
        }
        return true;
    }
    void rethrow() {
        if (failure) std::rethrow_exception(std::exchange(failure, nullptr));
    }

    struct Applying {
        explicit Applying(State& s) : state(s) { ++state.applying; }
        ~Applying() { --state.applying; }
        Applying(const Applying&) = delete;
        Applying& operator=(const Applying&) = delete;
        State& state;
    };

    void dispatchPending() {
        auto& loop = eventLoop();
        for (int i = 0; i < 500 && loop.Pending(); ++i)
            loop.Dispatch();
        wxTheApp->ProcessPendingEvents(); // calls posted with CallAfter
        loop.ProcessIdle();               // idle events, windows to delete
    }
    void applyPointer() {
        bool want = isBusy(app().mousePointer());
        if (want == busy) return;
        busy = want;
        if (want)
            wxBeginBusyCursor();
        else
            wxEndBusyCursor();
    }
    bool anyShown() const {
        return std::any_of(forms.begin(), forms.end(),
                           [](const auto& f) { return f.second->top && f.second->top->IsShown(); });
    }

    // Forms
    void createForm(Form& form);
    void applyForm(Form& form, FormView& v, Property property);
    void destroyForm(const Form& form);
    void bindForm(Form& form, wxTopLevelWindow* top);
    // Controls
    wxWindow* parentFor(Form& form, const Control& control);
    void createControl(Control& control);
    void destroyControl(Control& control);
    void bindControl(Control& control, wxWindow* w);
    Input inputFor(Control& control, wxWindow* w);
    void resync(Control& control, wxWindow* w);
    // The menu bar of a form's frame; nullptr for a form without one.
    MenuBar* menuBar(const Form& form) const {
        FormView* v = view(&form);
        return v ? v->menus.get() : nullptr;
    }
    void applyTabOrder(Form& form);
};

void WxBackend::State::createForm(Form& form) {
    auto v = std::make_unique<FormView>();
    const long style = frameStyle(form);
    wxString title = toWx(form.caption(), form.font().charset);
    const auto controls = form.controls();
    const bool menus = std::any_of(controls.begin(), controls.end(),
                                   [](Control* c) { return dynamic_cast<Menu*>(c) != nullptr; });
    if (form.borderStyle() == BorderStyle::FixedDialog && !menus)
        v->top = new wxDialog(nullptr, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style);
    else
        v->top = new wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style);
    v->top->SetName(wxString::FromUTF8(form.name()));
    if (auto* dialog = dynamic_cast<wxDialog*>(v->top)) dialog->SetEscapeId(wxID_NONE);
    v->canvas = createFormCanvas(form, v->top);
    wxTopLevelWindow* top = v->top;
    windows[&form] = top;
    forms[&form] = std::move(v);
    Applying guard(*this);
    applyForm(form, *forms[&form], Property::Geometry);
    applyForm(form, *forms[&form], Property::RightToLeft);
    // Tab strips first: the controls shown on their pages are drawn over them, whatever the
    // form's order.
    for (Control* c : form.controls())
        if (c->kind() == "TabStrip" && !windowOf(c)) createControl(*c);
    for (Control* c : form.controls())
        if (!windowOf(c)) createControl(*c);
    applyTabOrder(form);
    bindForm(form, top);
    if (auto* frame = dynamic_cast<wxFrame*>(top)) {
        FormView& made = *forms[&form];
        made.menus = std::make_unique<MenuBar>(*frame);
        made.menus->build(form);
    }
}

void WxBackend::State::bindForm(Form& form, wxTopLevelWindow* top) {
    Form* f = &form;
    top->Bind(wxEVT_MENU, [this, f, top](wxCommandEvent& e) {
        MenuBar* bar = menuBar(*f);
        Menu* item = bar ? bar->item(e.GetId()) : nullptr;
        if (!item) return e.Skip();
        deliver(f, top, [item] { user::pickMenu(*item); });
        // The toolkit toggles a check item itself; the model's mark is the one shown.
        if ((bar = menuBar(*f))) {
            Applying guard(*this);
            bar->changed(*item, prop::Checks);
        }
    });
    top->Bind(wxEVT_CLOSE_WINDOW, [this, f, top](wxCloseEvent& e) {
        if (e.CanVeto()) e.Veto();
        deliver(f, top, [f] { user::close(*f); });
    });
    auto geometry = [this, f, top](wxEvent& e) {
        e.Skip();
        deliver(f, top, [f, top] {
            wxRect r(top->ToDIP(top->GetPosition()), top->ToDIP(top->GetSize()));
            if (r != toPixels(f->geometry(), f->units())) f->setGeometry(fromPixels(r, f->units()));
            if (f->onPaint) f->refresh();
        });
    };
    top->Bind(wxEVT_SIZE, geometry);
    top->Bind(wxEVT_MOVE, geometry);
    // A window the user brings up leads the model's order of windows too.
    top->Bind(wxEVT_ACTIVATE, [this, f, top](wxActivateEvent& e) {
        e.Skip();
        if (!e.GetActive()) return;
        deliver(f, top, [this, f] {
            const std::vector<Form*> order = app().zOrder();
            if (!f->shown() || order.empty() || order.front() == f) return;
            // Already up: the model follows without raising it again.
            activating = true;
            f->bringToFront();
            activating = false;
        });
    });
    top->Bind(wxEVT_ICONIZE, [this, f, top](wxIconizeEvent& e) {
        e.Skip();
        deliver(f, top, [f, e] {
            f->setWindowState(e.IsIconized() ? WindowState::Minimized : WindowState::Normal);
        });
    });
    top->Bind(wxEVT_MAXIMIZE, [this, f, top](wxMaximizeEvent& e) {
        e.Skip();
        deliver(f, top, [f] { f->setWindowState(WindowState::Maximized); });
    });
    // Enter presses the default button and Escape the cancel button, as on the platform.
    top->Bind(wxEVT_CHAR_HOOK, [this, f, top](wxKeyEvent& e) {
        const int key = e.GetKeyCode();
        const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
        if ((!enter && key != WXK_ESCAPE) || e.HasAnyModifiers()) return e.Skip();
        if (enter) {
            wxWindow* focus = wxWindow::FindFocus();
            auto* text = dynamic_cast<wxTextCtrl*>(focus);
            if (dynamic_cast<wxButton*>(focus) || (text && text->IsMultiLine())) return e.Skip();
        }
        bool has = false;
        for (Control* c : f->controls())
            if (auto* b = dynamic_cast<CommandButton*>(c);
                b && (enter ? b->isDefault() : b->isCancel()) && b->reachable())
                has = true;
        if (!has) return e.Skip();
        deliver(f, top, [f, enter] { enter ? user::pressEnter(*f) : user::pressEscape(*f); });
    });
}

void WxBackend::State::applyForm(Form& form, FormView& v, Property property) {
    wxTopLevelWindow* top = v.top;
    switch (property) {
    case Property::Caption:
        top->SetTitle(toWx(form.caption(), form.font().charset));
        break;
    case Property::Geometry: {
        wxRect r = toPixels(form.geometry(), form.units());
        wxRect px(top->FromDIP(r.GetPosition()), top->FromDIP(r.GetSize()));
        if (px.width <= 0 || px.height <= 0) px.SetSize(top->FromDIP(wxSize(400, 300)));
        if (top->GetRect() != px) top->SetSize(px);
        break;
    }
    case Property::Enabled:
        top->Enable(form.enabled());
        break;
    case Property::WindowState:
        if (form.windowState() == WindowState::Minimized)
            top->Iconize(true);
        else if (form.windowState() == WindowState::Maximized)
            top->Maximize(true);
        else if (top->IsIconized() || top->IsMaximized())
            top->Restore();
        break;
    case Property::TopMost:
    case Property::BorderStyle:
        top->SetWindowStyleFlag(frameStyle(form));
        break;
    case Property::FullScreen:
        if (top->IsShown()) top->ShowFullScreen(form.fullScreen());
        break;
    case Property::ZOrder: {
        if (!top->IsShown() || activating) break;
        // Placed below a window that is not top-most: lowered; otherwise brought up.
        const std::vector<Form*> order = app().zOrder();
        auto at = std::find(order.begin(), order.end(), &form);
        if (at != order.end() && at != order.begin() && !(*(at - 1))->topMost())
            top->Lower();
        else
            top->Raise();
        break;
    }
    case Property::BackColor:
        v.canvas->SetBackgroundColour(form.backColor() == kButtonFace ? wxNullColour
                                                                      : toColour(form.backColor()));
        v.canvas->Refresh();
        break;
    case Property::MousePointer:
        v.canvas->SetCursor(toCursor(form.mousePointer()));
        break;
    case Property::RightToLeft:
        top->SetLayoutDirection(form.rightToLeft() ? wxLayout_RightToLeft : wxLayout_LeftToRight);
        break;
    case Property::Focus:
        if (wxWindow* w = windowOf(form.activeControl()); w && wxWindow::FindFocus() != w)
            w->SetFocus();
        break;
    default:
        break;
    }
}

void WxBackend::State::destroyForm(const Form& form) {
    auto it = forms.find(&form);
    if (it == forms.end()) return;
    std::unique_ptr<FormView> v = std::move(it->second);
    forms.erase(it);
    v->modal.reset();
    for (auto w = windows.begin(); w != windows.end();) {
        if (w->second == v->top || wxGetTopLevelParent(w->second) == v->top)
            w = windows.erase(w);
        else
            ++w;
    }
    v->top->Hide();
    v->top->Destroy();
}

wxWindow* WxBackend::State::parentFor(Form& form, const Control& control) {
    if (Control* container = control.container()) {
        if (!windowOf(container)) createControl(*container);
        if (wxWindow* w = windowOf(container)) return w;
    }
    return view(&form)->canvas;
}

void WxBackend::State::createControl(Control& control) {
    Form& form = *control.form();
    FormView* v = view(&form);
    if (!v) return;
    Applying guard(*this);
    wxWindow* w = createWindow(control, parentFor(form, control));
    if (!w) return;
    windows[&control] = w;
    bindControl(control, w);
    // Controls held by this one (a frame made again) move into its new widget.
    for (Control* c : form.controls()) {
        wxWindow* cw = windowOf(c);
        if (c->container() == &control && cw && cw->GetParent() != w) {
            cw->Reparent(w);
            apply(*c, cw, Property::Geometry);
        }
    }
}

void WxBackend::State::destroyControl(Control& control) {
    wxWindow* w = windowOf(&control);
    if (!w) return;
    windows.erase(&control);
    Applying guard(*this);
    // Widgets of other controls inside this one move to their own container first.
    for (Control* c : control.form()->controls()) {
        wxWindow* cw = windowOf(c);
        if (cw && cw->GetParent() == w && c != &control) {
            cw->Reparent(parentFor(*control.form(), *c));
            apply(*c, cw, Property::Geometry);
        }
    }
    w->Hide();
    // Not deleted at once: the widget may be the one whose event is being handled.
    wxTheApp->ScheduleForDestruction(w);
}

void WxBackend::State::resync(Control& control, wxWindow* w) {
    if (windowOf(&control) != w) return;
    Applying guard(*this);
    apply(control, w, Property::Value);
    apply(control, w, Property::ListIndex);
}

void WxBackend::State::bindControl(Control& control, wxWindow* w) {
    Control* c = &control;
    const Adapter* adapter = adapterFor(control.kind());
    const bool clicksOnRelease = adapter && adapter->clicksOnRelease;
    // Common: mouse, focus and keys.
    w->Bind(wxEVT_ENTER_WINDOW, [this, c, w](wxMouseEvent& e) {
        e.Skip();
        deliver(c, w, [c] { user::mouseEnter(*c); });
    });
    w->Bind(wxEVT_LEAVE_WINDOW, [this, c, w](wxMouseEvent& e) {
        e.Skip();
        deliver(c, w, [c] { user::mouseLeave(*c); });
    });
    auto down = [this, c, w](wxMouseEvent& e) {
        e.Skip();
        deliver(c, w, [c, e] { user::mouseDown(*c, mouseEvent(e, c->form()->units())); });
    };
    auto up = [this, c, w, clicksOnRelease](wxMouseEvent& e) {
        e.Skip();
        deliver(c, w, [c, e, clicksOnRelease] {
            if (!user::mouseUp(*c, mouseEvent(e, c->form()->units()))) return;
            if (e.GetEventType() == wxEVT_LEFT_UP && clicksOnRelease) user::click(*c);
        });
    };
    if (!adapter || !adapter->ownMouseEvents) {
        for (auto type : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_MIDDLE_DOWN})
            w->Bind(type, down);
        for (auto type : {wxEVT_LEFT_UP, wxEVT_RIGHT_UP, wxEVT_MIDDLE_UP})
            w->Bind(type, up);
        // Moves reach only a control that handles them (a divider being dragged).
        w->Bind(wxEVT_MOTION, [this, c, w](wxMouseEvent& e) {
            e.Skip();
            if (!c->onMouseMove) return;
            deliver(c, w, [c, e] { user::mouseMove(*c, mouseEvent(e, c->form()->units())); });
        });
    }
    w->Bind(wxEVT_LEFT_DCLICK, [this, c, w](wxMouseEvent& e) {
        e.Skip();
        if (c->onDblClick)
            deliver(c, w, [c] {
                if (c->reachable()) c->onDblClick();
            });
    });
    w->Bind(wxEVT_SET_FOCUS, [this, c, w](wxFocusEvent& e) {
        e.Skip();
        deliver(c, w, [c] { c->setFocus(); });
    });
    auto key = [this, c, w](wxKeyEvent& e) {
        const bool isDown = e.GetEventType() == wxEVT_KEY_DOWN;
        const auto& handler = isDown ? c->onKeyDown : c->onKeyUp;
        // A form with key preview sees the key first and may swallow it.
        Form* owner = c->form();
        const std::function<void(int&, int)>* preview = nullptr;
        if (owner && owner->keyPreview()) preview = isDown ? &owner->onKeyDown : &owner->onKeyUp;
        if (preview && !*preview) preview = nullptr;
        int code = virtualKey(e);
        if ((!handler && !preview) || code == 0) return e.Skip();
        deliver(c, w, [&] {
            if (!c->reachable()) return;
            if (preview) (*preview)(code, shiftState(e));
            if (code != 0 && handler) handler(code, shiftState(e));
        });
        if (code != 0) e.Skip(); // a handler that clears the key code swallows the key
    };
    w->Bind(wxEVT_KEY_DOWN, key);
    w->Bind(wxEVT_KEY_UP, key);
    w->Bind(wxEVT_CHAR, [this, c, w](wxKeyEvent& e) {
        wxChar ch = e.GetUnicodeKey();
        if (!c->onKeyPress || ch == WXK_NONE || e.HasAnyModifiers() & ~wxMOD_SHIFT) return e.Skip();
        std::string ansi = ch < 32 ? std::string(1, static_cast<char>(ch))
                                   : fromWx(wxString(ch), c->font().charset);
        if (ansi.size() != 1) return e.Skip();
        const int original = static_cast<unsigned char>(ansi[0]);
        int ascii = original;
        deliver(c, w, [&] {
            if (c->reachable()) c->onKeyPress(ascii);
        });
        if (ascii == original) return e.Skip();
        // A handler that changed the character types its own instead (or none for 0).
        auto* text = dynamic_cast<wxTextCtrl*>(w);
        if (ascii > 31 && ascii < 256 && text)
            text->WriteText(toWx(std::string(1, static_cast<char>(ascii)), c->font().charset));
    });

    // What the kind raises.
    if (adapter && adapter->bind) adapter->bind(control, w, inputFor(control, w));
}

Input WxBackend::State::inputFor(Control& control, wxWindow* w) {
    Control* c = &control;
    Input out;
    out.deliver = [this, c, w](const std::function<void()>& fn) { return deliver(c, w, fn); };
    out.deliverTyped = [this, c, w](const std::function<void()>& fn) {
        typing = c;
        bool ran = deliver(c, w, fn);
        typing = nullptr;
        return ran;
    };
    out.resync = [this, c, w] { resync(*c, w); };
    out.applyLater = [this, c, w](Property property) {
        wxTheApp->CallAfter([this, c, w, property] {
            if (windowOf(c) != w) return;
            Applying guard(*this);
            apply(*c, w, property);
        });
    };
    return out;
}

void WxBackend::State::applyTabOrder(Form& form) {
    std::vector<Control*> order = form.controls();
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    std::map<wxWindow*, wxWindow*> last; // per parent widget: the widget last placed
    for (Control* c : order) {
        wxWindow* w = windowOf(c);
        if (!w) continue;
        wxWindow*& prev = last[w->GetParent()];
        if (prev) w->MoveAfterInTabOrder(prev);
        prev = w;
    }
}

// ---------------------------------------------------------------------------------------

WxBackend::WxBackend() : state_(std::make_unique<State>()) {
    state_->ready = startToolkit();
}

WxBackend::~WxBackend() {
    State& s = *state_;
    s.closing = true;
    if (!s.ready) return;
    if (s.busy) wxEndBusyCursor();
    s.measureDc.reset();
    // The model's forms may be gone already: only the toolkit's windows are touched.
    for (auto& [form, v] : s.forms) {
        v->modal.reset();
        v->top->Hide();
        v->top->Destroy();
    }
    s.forms.clear();
    s.windows.clear();
    eventLoop().ProcessIdle(); // deletes the windows now
}

bool WxBackend::ready() const {
    return state_->ready;
}

wxWindow* WxBackend::window(const Widget& widget) const {
    return state_->windowOf(&widget);
}

std::uint32_t WxBackend::tickCount() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool WxBackend::idle(const IdleRequest& request) {
    State& s = *state_;
    if (!s.ready) return false;
    s.applyPointer();
    auto& loop = eventLoop();
    for (;;) {
        unsigned long timeout = 50;
        if (request.until) {
            auto left = static_cast<std::int32_t>(*request.until - tickCount());
            if (left <= 0) {
                s.dispatchPending();
                s.rethrow();
                return true;
            }
            timeout = std::min<unsigned long>(timeout, static_cast<unsigned long>(left));
        } else if (!s.anyShown() && s.boxes == 0) {
            return false; // no window, no timer: nothing can arrive
        }
        loop.DispatchTimeout(timeout);
        s.dispatchPending();
        s.rethrow();
        if (std::exchange(s.input, false) || app().threadCallsPending()) return true;
    }
}

bool WxBackend::pumpInput() {
    State& s = *state_;
    if (!s.ready) return false;
    s.applyPointer();
    s.dispatchPending();
    s.rethrow();
    return std::exchange(s.input, false);
}

void WxBackend::repaint() {
    State& s = *state_;
    if (!s.ready || s.paintOnly) return;
    s.paintOnly = true;
    // The toolkit keeps the user's input (and timers) of the meantime for the loop.
    eventLoop().YieldFor(wxEVT_CATEGORY_UI);
    s.paintOnly = false;
}

void WxBackend::formShown(Form& form, ShowMode mode) {
    State& s = *state_;
    if (!s.ready) return;
    if (!s.view(&form)) s.createForm(form);
    FormView& v = *s.view(&form);
    State::Applying guard(s);
    v.top->Show();
    v.top->Raise();
    if (form.fullScreen()) v.top->ShowFullScreen(true);
    if (form.windowState() != WindowState::Normal) s.applyForm(form, v, Property::WindowState);
    if (mode == ShowMode::Modal && !v.modal) v.modal = std::make_unique<wxWindowDisabler>(v.top);
    s.applyForm(form, v, Property::Focus);
}

void WxBackend::formHidden(Form& form) {
    State& s = *state_;
    FormView* v = s.view(&form);
    if (!v) return;
    State::Applying guard(s);
    v->modal.reset();
    v->top->Hide();
}

void WxBackend::formUnloaded(Form& form) {
    State::Applying guard(*state_);
    state_->destroyForm(form);
}

void WxBackend::controlAdded(Control& control) {
    State& s = *state_;
    if (!s.view(control.form())) return;
    if (auto* menu = dynamic_cast<Menu*>(&control)) {
        if (MenuBar* bar = s.menuBar(*control.form())) {
            State::Applying guard(s);
            bar->added(*menu);
        }
        return;
    }
    s.createControl(control);
    s.applyTabOrder(*control.form());
}

void WxBackend::controlRemoved(Control& control) {
    if (auto* menu = dynamic_cast<Menu*>(&control)) {
        if (MenuBar* bar = state_->menuBar(*control.form())) {
            State::Applying guard(*state_);
            bar->removed(*menu);
        }
        return;
    }
    state_->destroyControl(control);
}

void WxBackend::propertyChanged(Widget& widget, Property property) {
    State& s = *state_;
    if (s.closing || !s.ready) return;
    if (auto* form = dynamic_cast<Form*>(&widget)) {
        if (FormView* v = s.view(form)) {
            State::Applying guard(s);
            s.applyForm(*form, *v, property);
        }
        return;
    }
    auto& control = static_cast<Control&>(widget);
    if (!s.view(control.form())) return;
    if (auto* menu = dynamic_cast<Menu*>(&control)) {
        if (MenuBar* bar = s.menuBar(*control.form())) {
            State::Applying guard(s);
            bar->changed(*menu, property);
        }
        return;
    }
    wxWindow* w = s.windowOf(&control);
    if (property == Property::Container || needsNewWindow(control, property)) {
        s.destroyControl(control);
        s.createControl(control);
        s.applyTabOrder(*control.form());
        return;
    }
    if (property == Property::TabOrder) return s.applyTabOrder(*control.form());
    if (!w) return;
    State::Applying guard(s);
    apply(control, w, property, s.typing == &control);
}

void WxBackend::painted(Widget& widget, const Surface&) {
    if (wxWindow* w = state_->windowOf(&widget)) {
        if (auto* form = dynamic_cast<Form*>(&widget)) w = state_->view(form)->canvas;
        w->Refresh();
    }
}

int WxBackend::menuId(const Menu& menu) const {
    MenuBar* bar = state_->menuBar(*menu.form());
    return bar ? bar->id(menu) : wxID_NONE;
}

void WxBackend::popupMenu(Menu& menu) {
    State& s = *state_;
    FormView* v = s.ready ? s.view(menu.form()) : nullptr;
    if (!v || !v->top->IsShown()) return;
    std::map<int, Menu*> ids;
    std::unique_ptr<wxMenu> popup(buildPopup(menu, ids));
    int picked = v->top->GetPopupMenuSelectionFromUser(*popup);
    for (auto& [id, item] : ids)
        wxWindow::UnreserveControlId(id);
    if (auto it = ids.find(picked); it != ids.end()) user::pickMenu(*it->second, &menu);
}

int WxBackend::messageBox(const MessageBoxRequest& request) {
    State& s = *state_;
    if (!s.ready) return defaultAnswer(request.style);
    wxWindow* parent = request.owner ? s.windowOf(request.owner) : nullptr;
    if (parent && !parent->IsShown()) parent = nullptr;
    // The program's loop runs while the box is open: its timers tick and posted calls run;
    // its windows take no input, the box having disabled them.
    return showMessageBox(parent, request, [&s](const std::function<bool()>& answered) {
        ++s.boxes;
        struct Closed {
            State& state;
            ~Closed() { --state.boxes; }
        } closed{s};
        while (!answered()) {
            if (app().pumpMessage()) continue;
            app().idleUntil(app().tickCount() + 50);
        }
    });
}

// The toolkit's folder dialog, over the owner when it shows. Its own modal loop runs while
// it is open, so the program's timers wait until it closes.
std::optional<std::string> WxBackend::pickFolder(const Form* owner, const std::string& title,
                                                 const std::string& start) {
    State& s = *state_;
    if (!s.ready) return std::nullopt;
    wxWindow* parent = owner ? s.windowOf(owner) : nullptr;
    if (parent && !parent->IsShown()) parent = nullptr;
    wxDirDialog dialog(parent, toWx(title), wxString::FromUTF8(start),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return std::string();
    return std::string(dialog.GetPath().utf8_str());
}

void WxBackend::setClipboardText(const std::string& text) {
    if (!state_->ready || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(toWx(text)));
    wxTheClipboard->Close();
}

std::string WxBackend::clipboardText() {
    if (!state_->ready || !wxTheClipboard->Open()) return {};
    std::string out;
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) out = fromWx(data.GetText(), 0, true);
    }
    wxTheClipboard->Close();
    return out;
}

std::optional<Size> WxBackend::clientSize(const Form& form) {
    FormView* v = state_->view(&form);
    if (!v || !v->top) return std::nullopt;
    const wxSize size = v->top->ToDIP(v->top->GetClientSize());
    return Size{fromPixels(size.GetWidth(), form.units()),
                fromPixels(size.GetHeight(), form.units())};
}

Size WxBackend::measureText(std::string_view text, const Font& font) {
    State& s = *state_;
    if (!s.ready) return Backend::measureText(text, font);
    const int ppi = internal::pixelsPerInch();
    auto same = [&](const State::Measured& m) { return m.font == font && m.pixelsPerInch == ppi; };
    auto it = std::find_if(s.measured.begin(), s.measured.end(), same);
    if (it == s.measured.end()) {
        if (s.measured.size() >= 16) s.measured.clear(); // a few fonts are in use at a time
        s.measureFont = nullptr;
        s.measured.push_back({font, ppi, {}});
        it = s.measured.end() - 1;
    }
    auto& sizes = it->sizes;
    if (const auto found = sizes.find(text); found != sizes.end())
        return Size{found->second.GetWidth(), found->second.GetHeight()};
    if (!s.measureDc) s.measureDc = std::make_unique<wxScreenDC>();
    if (s.measureFont != &*it) {
        s.measureDc->SetFont(toFont(font));
        s.measureFont = &*it;
    }
    const wxSize extent = s.measureDc->GetTextExtent(toWx(text, font.charset));
    if (sizes.size() >= 100000) sizes.clear();
    sizes.emplace(std::string(text), extent);
    return Size{extent.GetWidth(), extent.GetHeight()};
}

void setPixelsPerInch(int pixelsPerInch) {
    internal::setPixelsPerInch(pixelsPerInch);
}

bool displayAvailable() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

PopupHost::PopupHost(std::unique_ptr<ControlHost> pages)
    : pages_(pages ? std::move(pages) : std::make_unique<ControlHost>()) {}

void PopupHost::popupMenu(Menu& menu) {
    if (auto* backend = dynamic_cast<WxBackend*>(&app().backend())) backend->popupMenu(menu);
}

std::optional<WebPage> PopupHost::fetchPage(const std::string& url) {
    return pages_->fetchPage(url);
}

WxBackend* install(int pixelsPerInch) {
    resetApplication();
    auto backend = std::make_unique<WxBackend>();
    if (!backend->ready()) return nullptr;
    internal::setPixelsPerInch(pixelsPerInch);
    WxBackend* ref = backend.get();
    app().setBackend(std::move(backend));
    setControlHost(std::make_unique<PopupHost>());
    return ref;
}

} // namespace kv::ui::wx
