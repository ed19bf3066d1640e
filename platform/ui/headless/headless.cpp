#include "platform/ui/headless/headless.h"

#include "platform/ui/control_host.h"

#include "platform/text/ansi.h"
#include "platform/ui/control_properties.h"
#include "platform/ui/end_program.h"
#include "platform/ui/form.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/web_browser.h"

#include <cstdio>
#include <sstream>

namespace kv::ui::headless {
namespace {

std::string visible(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

std::string describe(const std::string& caption, const std::string& text, unsigned style) {
    return "caption \"" + caption + "\", text \"" + visible(text) + "\", style " + styleName(style);
}

// Whether a box of this style has a button giving that answer.
bool offers(unsigned style, int answer) {
    for (int i = 0; i < buttonCount(style); ++i)
        if (buttonAnswer(style, i) == answer) return true;
    return false;
}

std::string key(const std::string& name) {
    return text::toUpper(name);
}

// "frmMain, frmSplash": the forms shown now, in load order.
std::string shownForms() {
    std::string out;
    for (const Form* f : app().forms())
        if (f->shown()) out += (out.empty() ? "" : ", ") + f->name();
    return out.empty() ? "no window" : out;
}

} // namespace

std::string plainText(const std::string& text) {
    std::string out, line;
    auto flush = [&] {
        auto b = line.find_first_not_of(" \t");
        if (b != std::string::npos) {
            auto e = line.find_last_not_of(" \t");
            if (!out.empty()) out += '\n';
            out += line.substr(b, e - b + 1);
        }
        line.clear();
    };
    for (char c : text) {
        if (c == '\r' || c == '\n')
            flush();
        else
            line += c;
    }
    flush();
    return out;
}

void HeadlessBackend::onModal(const std::string& formName, std::function<void(Form&)> turn) {
    modal_[key(formName)].push_back(std::move(turn));
}

bool HeadlessBackend::idle(const IdleRequest& request) {
    // A thread's hand-over comes before the clock moves on (as it would in real time).
    if (app().threadCallsPending()) return true;
    if (app().threadCallsExpected()) {
        app().waitForThreadCalls(10000);
        return true;
    }
    if (request.openEnded && idleHandler_ && idleHandler_()) {
        noActionSince_.reset();
        return true;
    }
    if (!request.until) return false;
    if (request.openEnded && !request.modal && noActionGrace_) {
        if (!noActionSince_) noActionSince_ = now_;
        if (*request.until - *noActionSince_ > *noActionGrace_) return false;
    }
    if (request.openEnded && *request.until - request.since > runLimit_) return false;
    if (static_cast<std::int32_t>(*request.until - now_) > 0) now_ = *request.until;
    return true;
}

void HeadlessBackend::record(Record::Kind kind, Form& form) {
    records_.push_back(
        Record{kind, now_, form.name(), form.caption(), {}, 0, 0, false, form.geometry()});
}

void HeadlessBackend::applyWindowState(Form& form) {
    auto normal = normalGeometry_.find(&form);
    if (form.windowState() == WindowState::Maximized) {
        Rect area = app().workArea();
        if (form.units() == Units::Twips)
            area = {area.left * kTwipsPerPixel, area.top * kTwipsPerPixel,
                    area.width * kTwipsPerPixel, area.height * kTwipsPerPixel};
        if (normal == normalGeometry_.end()) normalGeometry_[&form] = form.geometry();
        form.setGeometry(area);
    } else if (form.windowState() == WindowState::Normal && normal != normalGeometry_.end()) {
        const Rect rect = normal->second;
        normalGeometry_.erase(normal);
        form.setGeometry(rect);
    }
}

void HeadlessBackend::propertyChanged(Widget& widget, Property property) {
    if (property == Property::WindowState) {
        if (auto* form = dynamic_cast<Form*>(&widget)) applyWindowState(*form);
        return;
    }
    if (property == Property::Caret) {
        // Hidden or shown in the box that has the focus; a caret that goes with the focus is
        // no change to record.
        auto* box = dynamic_cast<TextBox*>(&widget);
        if (box && box->hasFocus())
            note(std::string(box->caretHidden() ? "caret hidden " : "caret shown ") +
                 box->form()->name() + "." + box->displayName());
        return;
    }
    // Only a browser's navigations and commands are recorded; every other change (a list
    // fill makes one per cell) returns before the type test.
    if (property != prop::Navigate && property != prop::Command) return;
    auto* browser = dynamic_cast<WebBrowser*>(&widget);
    if (!browser) return;
    const std::string name = browser->form()->name() + "." + browser->displayName();
    if (property == prop::Navigate && !browser->navigations().empty()) {
        const Navigation& n = browser->navigations().back();
        note("navigate " + name + " \"" + visible(n.url) + "\" flags " + std::to_string(n.flags) +
             " frame \"" + visible(n.targetFrame) + "\"");
    } else if (property == prop::Command && !browser->executed().empty()) {
        note("command " + name + " " + std::to_string(browser->executed().back()));
    }
}

void HeadlessBackend::setClipboardText(const std::string& text) {
    clipboard_ = text;
    note("clipboard \"" + visible(text) + "\"");
}

void HeadlessBackend::note(std::string text) {
    Record r;
    r.kind = Record::Kind::Note;
    r.tick = now_;
    r.text = std::move(text);
    records_.push_back(std::move(r));
}

void HeadlessBackend::formShown(Form& form, ShowMode mode) {
    applyWindowState(form);
    record(mode == ShowMode::Modal ? Record::Kind::ShownModal : Record::Kind::Shown, form);
}

void HeadlessBackend::formHidden(Form& form) {
    record(Record::Kind::Hidden, form);
}

void HeadlessBackend::formUnloaded(Form& form) {
    normalGeometry_.erase(&form);
    record(Record::Kind::Unloaded, form);
}

void HeadlessBackend::modalTurn(Form& form) {
    auto it = modal_.find(key(form.name()));
    if (it != modal_.end() && !it->second.empty()) {
        auto turn = std::move(it->second.front());
        it->second.pop_front();
        turn(form);
    } else if (modalFallback_) {
        modalFallback_(form);
    }
}

int HeadlessBackend::messageBox(const MessageBoxRequest& request) {
    ++boxCount_;
    int answer = defaultAnswer(request.style);
    std::uint32_t after = 0;
    std::string got = describe(request.caption, request.text, request.style);
    auto matches = [&](const ExpectedBox& e) {
        return (!e.caption || *e.caption == request.caption) &&
               (!e.text || *e.text == request.text) &&
               (!e.plainText || *e.plainText == plainText(request.text)) &&
               (!e.style || *e.style == request.style);
    };
    bool unlisted = false;
    if (unlistedAnswer_ && (expected_.empty() || !matches(expected_.front()))) {
        unlisted = true;
        if (offers(request.style, *unlistedAnswer_)) answer = *unlistedAnswer_;
    } else if (expected_.empty()) {
        failures_.push_back("unexpected message box #" + std::to_string(boxCount_) + ": " + got +
                            " (answered " + answerName(answer) + ")");
    } else {
        ExpectedBox e = std::move(expected_.front());
        expected_.pop_front();
        after = e.after;
        const bool match = matches(e);
        if (match && offers(request.style, e.answer)) {
            answer = e.answer;
        } else if (match) {
            failures_.push_back("message box #" + std::to_string(boxCount_) + " (" + got +
                                ") has no button " + answerName(e.answer) + "; answered " +
                                answerName(answer));
        } else {
            failures_.push_back("message box #" + std::to_string(boxCount_) +
                                " is not the one expected: got " + got + "; expected " +
                                describe(e.caption.value_or("*"),
                                         e.text ? *e.text : e.plainText.value_or("*"),
                                         e.style.value_or(0)));
        }
    }
    records_.push_back(Record{Record::Kind::Box, now_,
                              request.owner ? request.owner->name() : std::string(),
                              request.caption, request.text, request.style, answer, unlisted});
    if (after > 0) {
        // The user thinks: the box's own message loop runs meanwhile.
        const std::size_t at = records_.size() - 1;
        try {
            app().waitPumping(after);
        } catch (const EndProgram&) {
            records_[at].answer = 0;
            throw;
        }
    }
    return answer;
}

void HeadlessBackend::loopStuck(const IdleRequest& request) {
    if (request.modal)
        failures_.push_back("modal show of " + request.modal->name() +
                            ": still shown, nothing pending and no user action left");
    else
        failures_.push_back("no action left: the program waits for the user with " + shownForms() +
                            " shown");
}

std::vector<Record> HeadlessBackend::boxes() const {
    std::vector<Record> out;
    for (const auto& r : records_)
        if (r.kind == Record::Kind::Box) out.push_back(r);
    return out;
}

std::string HeadlessBackend::transcript() const {
    std::ostringstream out;
    for (const auto& r : records_) {
        out << "[" << r.tick << "] ";
        const Rect& g = r.geometry;
        const auto place = [&] {
            out << " at " << g.left << "," << g.top << " size " << g.width << "x" << g.height;
        };
        switch (r.kind) {
        case Record::Kind::Shown:
            out << "show " << r.form << " \"" << r.caption << "\"";
            place();
            break;
        case Record::Kind::ShownModal:
            out << "show modal " << r.form << " \"" << r.caption << "\"";
            place();
            break;
        case Record::Kind::Hidden:
            out << "hide " << r.form;
            break;
        case Record::Kind::Unloaded:
            out << "unload " << r.form;
            break;
        case Record::Kind::Box:
            out << "box " << describe(r.caption, r.text, r.style) << " -> " << answerName(r.answer)
                << (r.unlisted ? " (not listed)" : "");
            break;
        case Record::Kind::Note:
            out << r.text;
            break;
        }
        out << "\n";
    }
    return out.str();
}

std::string HeadlessBackend::finish() {
    for (const auto& e : expected_)
        failures_.push_back("expected message box never shown: caption \"" +
                            e.caption.value_or("*") + "\", text \"" +
                            visible(e.text ? *e.text : e.plainText.value_or("*")) + "\"");
    expected_.clear();
    std::string report;
    for (const auto& f : failures_)
        report += f + "\n";
    return report;
}

HeadlessBackend& install() {
    resetApplication();
    resetControlHost(); // no pop-up answers or pages left from an earlier run
    auto backend = std::make_unique<HeadlessBackend>();
    HeadlessBackend& ref = *backend;
    app().setBackend(std::move(backend));
    return ref;
}

} // namespace kv::ui::headless
