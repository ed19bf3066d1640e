#pragma once
// The application: the loaded forms in load order, the one message loop (run, pump one
// message, process all, waits), timers, message boxes, the clipboard, the screen's mouse
// pointer and ending the program at once. Reached through app(), one per process.

#include "platform/ui/backend.h"
#include "platform/ui/form.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

namespace kv::ui {

class Timer;

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The backend (a minimal headless one until a program or test installs its own).
    Backend& backend() { return *backend_; }
    void setBackend(std::unique_ptr<Backend> backend);

    // The default instance of form class T, loaded (with its load event) on first use.
    template <class T> T& form() {
        if (Form* f = defaultInstance(typeid(T))) return static_cast<T&>(*f);
        auto owned = std::make_unique<T>();
        T& ref = *owned;
        load(std::move(owned), typeid(T));
        return ref;
    }
    // The default instance of T when loaded, without loading it.
    template <class T> T* loadedForm() { return static_cast<T*>(defaultInstance(typeid(T))); }
    // A further instance of a form class, loaded now.
    template <class T> T& create() {
        auto owned = std::make_unique<T>();
        T& ref = *owned;
        load(std::move(owned), std::nullopt);
        return ref;
    }
    // Loads a form made by the caller.
    Form& load(std::unique_ptr<Form> form);
    // The loaded forms in load order; a loaded form by name (without regard to case).
    std::vector<Form*> forms() const;
    Form* findForm(std::string_view name) const;
    // The order of shown windows, front first (top-most ones ahead of the others).
    std::vector<Form*> zOrder() const;

    // The main window: closing it ends run(); the owner of application-level boxes.
    Form* mainForm() const { return main_; }
    void setMainForm(Form* form) { main_ = form; }
    // The application's title (the task-bar text).
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Runs the message loop until the main form closes (or, with none, no form is shown),
    // quit() is called, or nothing can happen any more.
    void run();
    void quit() { quit_ = true; }
    // Handles one pending message (posted call, paint, input, due timer); false if none.
    bool pumpMessage();
    // Handles every message pending now (each due timer once).
    void processMessages();
    // Waits (without handling messages) until input may be pending or the tick count
    // reaches `until`; false when nothing can arrive.
    bool idleUntil(std::optional<std::uint32_t> until);
    std::uint32_t tickCount() { return backend_->tickCount(); }
    // Pumps messages until the tick count has passed now + ms (a wrap of the tick count
    // neither ends nor stalls it).
    void waitPumping(std::uint32_t ms);
    // Queues a call for the message loop.
    void post(std::function<void()> call);
    // Calls handed over by other threads. The GUI thread announces each one before it
    // starts the thread (expectThreadCall); the thread hands it over (postFromThread, the
    // only thread-safe call here) and the message loop runs it as a posted call. The
    // headless clock moves on only once every announced call has come.
    void expectThreadCall();
    void postFromThread(std::function<void()> call);
    // Announced calls not handed over yet; calls handed over and not yet run.
    bool threadCallsExpected() const;
    bool threadCallsPending() const;
    // Waits at most `ms` of real time until no announced call is outstanding; false when
    // some still is.
    bool waitForThreadCalls(std::uint32_t ms);

    // Shows a message box and returns the answer (id::Ok...).
    int messageBox(const MessageBoxRequest& request);
    int messageBox(std::string text, unsigned style = mb::OkOnly, std::string caption = "");
    // The clipboard's text.
    void setClipboardText(const std::string& text) { backend_->setClipboardText(text); }
    std::string clipboardText() { return backend_->clipboardText(); }
    // The pointer over every window of the program (the screen's pointer).
    MousePointer mousePointer() const { return pointer_; }
    void setMousePointer(MousePointer pointer) { pointer_ = pointer; }
    // Screen size and work area in pixels, as the machine's profile gives them.
    Size screenSize() const { return screen_; }
    Rect workArea() const { return workArea_; }
    void setScreen(Size size, Rect workArea) { screen_ = size, workArea_ = workArea; }

    // Ends the program at once: unwinds to runProgram without unload events.
    [[noreturn]] void end(int exitCode = 0);
    bool ended() const { return ended_; }

    // For forms, timers and the backends only (see ModelKey).
    void showForm(ModelKey, Form& form, ShowMode mode, Form* owner);
    void hideForm(ModelKey, Form& form);
    bool unloadForm(ModelKey, Form& form, UnloadMode mode);
    void bringToFront(ModelKey, Form& form);
    void placeBelow(ModelKey, Form& form, Form& above);
    void schedule(ModelKey, Timer& timer);
    void unschedule(ModelKey, Timer& timer);
    void requestPaint(ModelKey, Widget& widget);
    void markEnded(ModelKey) { ended_ = true; }

private:
    Form* defaultInstance(std::type_index type) const;
    void load(std::unique_ptr<Form> form, std::optional<std::type_index> type);
    bool runPosted();
    bool runDueTimer(std::uint32_t now);
    std::optional<std::uint32_t> nextTimerDue() const;
    void modalLoop(Form& form);
    bool keepRunning() const;

    struct Loaded {
        std::unique_ptr<Form> form;
        std::optional<std::type_index> type;
    };
    struct Scheduled {
        Timer* timer;
        std::uint32_t due;
        std::uint64_t order;
    };
    std::unique_ptr<Backend> backend_;
    std::vector<Loaded> loaded_;
    // Unloaded forms live on until the application ends: handlers and callers may still
    // hold them (reading a dialog's fields after it unloaded).
    std::vector<std::unique_ptr<Form>> unloaded_;
    std::vector<Form*> zOrder_;
    std::vector<std::function<void()>> posted_;
    struct ThreadCalls;
    std::unique_ptr<ThreadCalls> threadCalls_;
    std::vector<Widget*> paints_;
    std::vector<Scheduled> timers_;
    std::uint64_t timerOrder_ = 0;
    Form* main_ = nullptr;
    std::string title_;
    bool quit_ = false;
    bool ended_ = false;
    int depth_ = 0; // nesting of message handling
    MousePointer pointer_ = MousePointer::Default;
    Size screen_{1024, 768};
    Rect workArea_{0, 0, 1024, 738};
};

// The application of this process.
Application& app();
// A fresh application with the default backend: where a backend's install starts.
void resetApplication();
// Drops the window model's process-wide state, for tests: the application (its forms,
// boxes and backend) and the control host.
void resetForTests();

} // namespace kv::ui
