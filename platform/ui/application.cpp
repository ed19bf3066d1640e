#include "platform/ui/application.h"

#include "platform/text/ansi.h"
#include "platform/ui/control_host.h"
#include "platform/ui/end_program.h"
#include "platform/ui/internal/current.h"
#include "platform/ui/internal/null_backend.h"
#include "platform/ui/pictures.h"
#include "platform/ui/timer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace kv::ui {
namespace {

std::unique_ptr<Application> g_app;
Application* g_current = nullptr;

// Tick counts wrap after 2^32 ms: compare them by their signed distance.
bool reached(std::uint32_t now, std::uint32_t due) {
    return static_cast<std::int32_t>(now - due) >= 0;
}

// Counts a nesting level of message handling while alive.
struct Depth {
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
    int& depth;
};

} // namespace

Application* internal::currentApplication() {
    return g_current;
}

Application& app() {
    if (!g_app) g_app = std::make_unique<Application>();
    return *g_app;
}

void resetApplication() {
    g_app.reset();
    g_app = std::make_unique<Application>();
}

void resetForTests() {
    resetApplication();
    resetControlHost();
}

struct Application::ThreadCalls {
    mutable std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::function<void()>> calls;
    int expected = 0;
};

Application::Application()
    : backend_(std::make_unique<internal::NullBackend>()),
      threadCalls_(std::make_unique<ThreadCalls>()) {
    g_current = this;
}

Application::~Application() {
    timers_.clear();
    if (g_current == this) g_current = nullptr;
    // Forms die with their timers; nothing may call back into a dying application.
    loaded_.clear();
    unloaded_.clear();
}

void Application::setBackend(std::unique_ptr<Backend> backend) {
    if (backend) backend_ = std::move(backend);
}

Form* Application::defaultInstance(std::type_index type) const {
    for (const auto& l : loaded_)
        if (l.type && *l.type == type) return l.form.get();
    return nullptr;
}

Form& Application::load(std::unique_ptr<Form> form) {
    Form& ref = *form;
    load(std::move(form), std::nullopt);
    return ref;
}

void Application::load(std::unique_ptr<Form> form, std::optional<std::type_index> type) {
    Form& ref = *form;
    loaded_.push_back(Loaded{std::move(form), type});
    ref.markLoaded({}, true);
    backend_->formLoaded(ref);
    ref.raiseLoad({});
}

std::vector<Form*> Application::forms() const {
    std::vector<Form*> out;
    for (const auto& l : loaded_)
        out.push_back(l.form.get());
    return out;
}

Form* Application::findForm(std::string_view name) const {
    for (const auto& l : loaded_)
        if (text::equalsNoCase(l.form->name(), name)) return l.form.get();
    return nullptr;
}

std::vector<Form*> Application::zOrder() const {
    std::vector<Form*> out;
    for (Form* f : zOrder_)
        if (f->topMost()) out.push_back(f);
    for (Form* f : zOrder_)
        if (!f->topMost()) out.push_back(f);
    return out;
}

void Application::bringToFront(ModelKey, Form& form) {
    auto it = std::find(zOrder_.begin(), zOrder_.end(), &form);
    if (it == zOrder_.end()) return;
    zOrder_.erase(it);
    zOrder_.insert(zOrder_.begin(), &form);
    backend_->propertyChanged(form, Property::ZOrder);
}

void Application::placeBelow(ModelKey, Form& form, Form& above) {
    if (&form == &above) return;
    auto self = std::find(zOrder_.begin(), zOrder_.end(), &form);
    auto other = std::find(zOrder_.begin(), zOrder_.end(), &above);
    if (self == zOrder_.end() || other == zOrder_.end() || self == other + 1) return;
    zOrder_.erase(self);
    zOrder_.insert(std::find(zOrder_.begin(), zOrder_.end(), &above) + 1, &form);
    backend_->propertyChanged(form, Property::ZOrder);
}

void Application::showForm(ModelKey, Form& form, ShowMode mode, Form* owner) {
    if (!form.loaded()) return;
    if (owner) form.setOwner(owner);
    if (!form.visible()) {
        form.markVisible({}, true);
        zOrder_.insert(zOrder_.begin(), &form);
        backend_->formShown(form, mode);
        if (form.firstShow({})) form.raiseResize({});
        form.raiseActivate({});
        requestPaint({}, form);
        for (Control* c : form.controls())
            if (auto* pic = dynamic_cast<PictureBox*>(c); pic && pic->onPaint)
                requestPaint({}, *pic);
    } else {
        bringToFront({}, form);
    }
    if (mode == ShowMode::Modal) modalLoop(form);
}

void Application::modalLoop(Form& form) {
    Depth depth(depth_);
    // Cleared however the show ends, also when the program ends from inside it.
    struct ModalFlag {
        explicit ModalFlag(Form& f) : form(f) { form.markModal({}, true); }
        ~ModalFlag() { form.markModal({}, false); }
        ModalFlag(const ModalFlag&) = delete;
        ModalFlag& operator=(const ModalFlag&) = delete;
        Form& form;
    } flag(form);
    processMessages();
    if (form.shown()) backend_->modalTurn(form);
    const std::uint32_t since = tickCount();
    while (form.shown()) {
        if (pumpMessage()) continue;
        IdleRequest request{nextTimerDue(), true, since, &form};
        if (!backend_->idle(request)) {
            backend_->loopStuck(request);
            hideForm({}, form);
            break;
        }
    }
}

void Application::hideForm(ModelKey, Form& form) {
    if (!form.visible()) return;
    form.markVisible({}, false);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), &form), zOrder_.end());
    if (form.loaded()) backend_->formHidden(form);
}

bool Application::unloadForm(ModelKey, Form& form, UnloadMode mode) {
    if (!form.loaded()) return true;
    int cancel = 0;
    if (form.onQueryUnload) form.onQueryUnload(cancel, mode);
    if (cancel != 0) return false;
    if (form.onUnload) form.onUnload(cancel);
    if (cancel != 0) return false;
    auto it = std::find_if(loaded_.begin(), loaded_.end(),
                           [&](const Loaded& l) { return l.form.get() == &form; });
    if (it == loaded_.end()) return true; // unloaded by its own unload event
    hideForm({}, form);
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [&](const Scheduled& s) { return s.timer->form() == &form; }),
                  timers_.end());
    paints_.erase(std::remove_if(paints_.begin(), paints_.end(),
                                 [&](Widget* w) { return w->form() == &form; }),
                  paints_.end());
    backend_->formUnloaded(form);
    form.markLoaded({}, false);
    unloaded_.push_back(std::move(it->form));
    loaded_.erase(it);
    return true;
}

bool Application::keepRunning() const {
    if (main_) return main_->shown();
    return std::any_of(loaded_.begin(), loaded_.end(),
                       [](const Loaded& l) { return l.form->shown(); });
}

void Application::run() {
    const std::uint32_t since = tickCount();
    while (!quit_ && keepRunning()) {
        if (pumpMessage()) continue;
        IdleRequest request{nextTimerDue(), true, since, nullptr};
        if (!backend_->idle(request)) {
            backend_->loopStuck(request);
            break;
        }
    }
    quit_ = false;
}

void Application::post(std::function<void()> call) {
    posted_.push_back(std::move(call));
}

void Application::requestPaint(ModelKey, Widget& widget) {
    if (std::find(paints_.begin(), paints_.end(), &widget) == paints_.end())
        paints_.push_back(&widget);
}

void Application::expectThreadCall() {
    std::lock_guard lock(threadCalls_->mutex);
    ++threadCalls_->expected;
}

void Application::postFromThread(std::function<void()> call) {
    {
        std::lock_guard lock(threadCalls_->mutex);
        threadCalls_->calls.push_back(std::move(call));
        if (threadCalls_->expected > 0) --threadCalls_->expected;
    }
    threadCalls_->arrived.notify_all();
}

bool Application::threadCallsExpected() const {
    std::lock_guard lock(threadCalls_->mutex);
    return threadCalls_->expected > 0;
}

bool Application::threadCallsPending() const {
    std::lock_guard lock(threadCalls_->mutex);
    return !threadCalls_->calls.empty();
}

bool Application::waitForThreadCalls(std::uint32_t ms) {
    std::unique_lock lock(threadCalls_->mutex);
    return threadCalls_->arrived.wait_for(lock, std::chrono::milliseconds(ms),
                                          [this] { return threadCalls_->expected == 0; });
}

bool Application::runPosted() {
    {
        std::lock_guard lock(threadCalls_->mutex);
        for (auto& call : threadCalls_->calls)
            posted_.push_back(std::move(call));
        threadCalls_->calls.clear();
    }
    if (!posted_.empty()) {
        auto call = std::move(posted_.front());
        posted_.erase(posted_.begin());
        if (call) call();
        return true;
    }
    if (!paints_.empty()) {
        Widget* w = paints_.front();
        paints_.erase(paints_.begin());
        if (auto* f = dynamic_cast<Form*>(w))
            f->raisePaint({});
        else if (auto* p = dynamic_cast<PictureBox*>(w))
            p->raisePaint({});
        return true;
    }
    return false;
}

bool Application::runDueTimer(std::uint32_t now) {
    Scheduled* next = nullptr;
    for (auto& s : timers_) {
        if (!s.timer->form()->loaded() || !reached(now, s.due)) continue;
        if (!next || static_cast<std::int32_t>(s.due - next->due) < 0 ||
            (s.due == next->due && s.order < next->order))
            next = &s;
    }
    if (!next) return false;
    Timer* timer = next->timer;
    next->due = now + static_cast<std::uint32_t>(timer->interval());
    next->order = ++timerOrder_;
    timer->tick();
    return true;
}

bool Application::pumpMessage() {
    Depth depth(depth_);
    if (runPosted()) return true;
    if (backend_->pumpInput()) return true;
    return runDueTimer(tickCount());
}

void Application::processMessages() {
    Depth depth(depth_);
    const std::uint32_t now = tickCount();
    while (runPosted() || backend_->pumpInput()) {}
    // Each timer due now ticks once; a re-armed timer is due again only later.
    while (runDueTimer(now)) {}
    while (runPosted()) {}
}

std::optional<std::uint32_t> Application::nextTimerDue() const {
    std::optional<std::uint32_t> due;
    for (const auto& s : timers_) {
        if (!s.timer->form()->loaded()) continue;
        if (!due || static_cast<std::int32_t>(s.due - *due) < 0) due = s.due;
    }
    return due;
}

bool Application::idleUntil(std::optional<std::uint32_t> until) {
    auto due = nextTimerDue();
    if (due && (!until || static_cast<std::int32_t>(*due - *until) < 0)) until = due;
    return backend_->idle(IdleRequest{until, false, tickCount(), nullptr});
}

void Application::waitPumping(std::uint32_t ms) {
    const std::uint32_t start = tickCount();
    while (tickCount() - start <= ms) {
        if (!pumpMessage() && !idleUntil(start + ms + 1)) break;
    }
}

void Application::schedule(ModelKey, Timer& timer) {
    unschedule({}, timer);
    if (timer.enabled() && timer.interval() > 0)
        timers_.push_back(Scheduled{
            &timer, tickCount() + static_cast<std::uint32_t>(timer.interval()), ++timerOrder_});
}

void Application::unschedule(ModelKey, Timer& timer) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [&](const Scheduled& s) { return s.timer == &timer; }),
                  timers_.end());
}

int Application::messageBox(const MessageBoxRequest& request) {
    return backend_->messageBox(request);
}

int Application::messageBox(std::string text, unsigned style, std::string caption) {
    return messageBox(MessageBoxRequest{main_ && main_->shown() ? main_ : nullptr,
                                        caption.empty() ? title_ : std::move(caption),
                                        std::move(text), style});
}

void Application::end(int exitCode) {
    ended_ = true;
    throw EndProgram(exitCode);
}

} // namespace kv::ui
