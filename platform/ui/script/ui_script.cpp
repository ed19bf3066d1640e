#include "platform/ui/script/ui_script.h"

#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/controls.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/script/internal/actions.h"
#include "platform/ui/script/internal/address.h"
#include "platform/ui/script/internal/script.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/user_input.h"
#include "platform/ui/web_browser.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

namespace kv::ui::script {
namespace {

using internal::Action;
using internal::Block;
using internal::integer;

std::optional<bool> onOff(const std::string& s) {
    if (s == "on") return true;
    if (s == "off") return false;
    return std::nullopt;
}

// How long the program's own timers run on after the script's idle blocks are used up.
constexpr std::uint32_t kNoActionGrace = 10 * 1000;

class Runner {
public:
    Runner(internal::Script script, headless::HeadlessBackend& backend,
           headless::HeadlessControls& controls)
        : script_(std::move(script)), backend_(backend), controls_(controls) {
        modalUsed_.assign(script_.modal.size(), false);
        popupUsed_.assign(script_.popups.size(), false);
        for (std::size_t i = 0; i < script_.modal.size(); ++i)
            backend_.onModal(script_.modal[i].form, [this, i](Form& f) {
                modalUsed_[i] = true;
                run(script_.modal[i], &f);
            });
        backend_.setModalHandler([this](Form& f) {
            failures_.push_back("unexpected modal show of " + f.name() +
                                ": the script has no actions left for it (hidden)");
            f.hide();
        });
        backend_.setIdleHandler([this] { return idle(); });
        backend_.setNoActionGrace(kNoActionGrace);
        for (const auto& p : script_.pages)
            controls_.addPage(p.url, p.title, p.html);
        for (const auto& b : script_.boxes)
            backend_.expectBox(b.expected);
        if (script_.otherBoxAnswer) backend_.answerUnlistedBoxes(*script_.otherBoxAnswer);
        for (std::size_t i = 0; i < script_.popups.size(); ++i)
            controls_.onPopup(script_.popups[i].menu, [this, i](Menu& m) {
                popupUsed_[i] = true;
                pick(script_.popups[i], m);
            });
    }

    std::string report() {
        std::string out;
        for (const auto& f : failures_)
            out += f + "\n";
        for (std::size_t i = 0; i < script_.modal.size(); ++i)
            if (!modalUsed_[i] && !script_.modal[i].optional)
                out += "line " + std::to_string(script_.modal[i].line) + ": modal show of " +
                       script_.modal[i].form + " never came\n";
        for (std::size_t i = idleNext_; i < script_.idle.size(); ++i)
            out += "line " + std::to_string(script_.idle[i].line) +
                   ": the program stopped waiting for the user before this idle block\n";
        for (std::size_t i = 0; i < script_.popups.size(); ++i)
            if (!popupUsed_[i])
                out += "line " + std::to_string(script_.popups[i].line) + ": pop-up menu " +
                       script_.popups[i].menu + " never shown\n";
        for (std::size_t i = 0; i < controls_.unexpectedPopups().size(); ++i)
            out += "unexpected pop-up menu " + controls_.unexpectedPopups()[i] + " (dismissed)\n";
        out += backend_.finish();
        return out;
    }

    // The backend's records, then the optional blocks never used.
    std::string transcript() const {
        std::string out = backend_.transcript();
        for (std::size_t i = 0; i < script_.modal.size(); ++i)
            if (!modalUsed_[i] && script_.modal[i].optional)
                out += "[" + std::to_string(backend_.tickCount()) + "] optional modal block of " +
                       script_.modal[i].form + " at line " + std::to_string(script_.modal[i].line) +
                       " not used\n";
        return out;
    }

private:
    bool idle() {
        for (Form* f : app().forms())
            if (f->modal() && f->shown()) return false; // a modal show left open: stuck
        if (idleNext_ >= script_.idle.size()) return false;
        run(script_.idle[idleNext_++], nullptr);
        return true;
    }

    void run(const Block& block, Form* form) {
        for (const Action& a : block.actions) {
            std::string error = perform(a, form);
            if (!error.empty())
                failures_.push_back("line " + std::to_string(a.line) + ": " + a.verb + " " +
                                    (a.args.empty() ? std::string() : a.args[0]) + ": " + error);
        }
    }

    Control* control(const std::string& address, Form* form, std::string& error) {
        return internal::findControl(address, form, error);
    }

    template <class T> T* as(Control* c, std::string& error, const char* what) {
        auto* t = dynamic_cast<T*>(c);
        if (c && !t) error = std::string("not ") + what;
        return t;
    }

    static int row(const ListView& lv, const std::string& target) {
        if (target.starts_with("#")) {
            auto i = integer(target.substr(1));
            return i ? *i : -1;
        }
        for (int i = 0; i < lv.itemCount(); ++i)
            if (lv.text(i) == target) return i;
        return -1;
    }

    static int node(const TreeView& tv, const std::string& target) {
        if (target.starts_with("#")) {
            auto i = integer(target.substr(1));
            return i ? *i : -1;
        }
        return tv.find(target);
    }

    std::string perform(const Action& a, Form* form) {
        const std::string& v = a.verb;
        std::string error;
        auto refused = [&](bool ok) { return ok ? std::string() : "the user could not do it"; };
        if (v == "wait") {
            auto ms = integer(a.args[0]);
            if (!ms || *ms < 0) return "not a number of milliseconds";
            app().waitPumping(static_cast<std::uint32_t>(*ms));
            return {};
        }
        if (v == "expect") return internal::expect(a, form);
        if (v == "clipboard") {
            backend_.putClipboardText(a.args[0]);
            return {};
        }
        if (v == "press" || v == "move" || v == "release")
            return internal::mouseAction(a, form, heldButtons_);
        if (v == "resize") return internal::resizeForm(a);
        if (v == "state") return internal::setWindowState(a);
        if (v == "dump") {
            const Form* f = app().findForm(a.args[0]);
            if (!f) return "no form " + a.args[0] + " is loaded";
            for (std::string& line : internal::dump(*f))
                backend_.note(std::move(line));
            return {};
        }
        if (v == "close") {
            Form* f = app().findForm(a.args[0]);
            if (!f) return "no form " + a.args[0] + " is loaded";
            return refused(user::close(*f));
        }
        Control* c = control(a.args[0], form, error);
        if (!c) return error;
        if (v == "set") {
            if (auto* t = dynamic_cast<TextBox*>(c)) return refused(user::typeText(*t, a.args[1]));
            if (auto* b = dynamic_cast<ComboBox*>(c)) return refused(user::typeText(*b, a.args[1]));
            return "not a text box or combo box";
        }
        if (v == "tick") {
            auto on = onOff(a.args[1]);
            if (!on) return "say on or off";
            if (auto* b = dynamic_cast<CheckBox*>(c)) return refused(user::setChecked(*b, *on));
            if (auto* o = dynamic_cast<OptionButton*>(c)) {
                if (!*on) return "an option button is cleared by choosing another";
                return refused(user::click(*o));
            }
            return "not a check box or option button";
        }
        if (v == "choose") {
            auto* l = as<ListControl>(c, error, "a combo or list box");
            if (!l) return error;
            int i = a.args[1].starts_with("#") ? integer(a.args[1].substr(1)).value_or(-1)
                                               : l->findText(a.args[1]);
            if (i < 0 || i >= l->listCount()) return "no entry " + a.args[1];
            return refused(user::choose(*l, i));
        }
        if (v == "click") return refused(user::click(*c));
        if (v == "dblclick") return refused(user::doubleClick(*c));
        if (v == "key") {
            auto code = integer(a.args[1]);
            auto shift = a.args.size() > 2 ? integer(a.args[2]) : std::optional<int>(0);
            if (!code || !shift) return "key code and shift are numbers";
            return refused(user::pressKey(*c, *code, *shift));
        }
        if (v == "mouse") {
            MouseEvent e;
            if (a.args[1] == "left")
                e.button = kLeftButton;
            else if (a.args[1] == "right")
                e.button = kRightButton;
            else if (a.args[1] == "middle")
                e.button = kMiddleButton;
            else
                return "say left, right or middle";
            // A right click on a browser's page raises the page's context-menu event.
            if (auto* page = dynamic_cast<WebBrowser*>(c); page && e.button == kRightButton)
                return refused(user::rightClickPage(*page));
            return refused(user::mouseClick(*c, e));
        }
        if (v == "row" || v == "dblrow" || v == "check" || v == "column") {
            auto* lv = as<ListView>(c, error, "a list view");
            if (!lv) return error;
            if (v == "column") {
                auto i = integer(a.args[1]);
                return i ? refused(user::clickColumn(*lv, *i)) : "not a column number";
            }
            int r = row(*lv, a.args[1]);
            if (r < 0 || r >= lv->itemCount()) return "no row " + a.args[1];
            if (v == "row") return refused(user::clickRow(*lv, r));
            if (v == "dblrow") return refused(user::doubleClickRow(*lv, r));
            auto on = onOff(a.args[2]);
            if (!on) return "say on or off";
            return refused(user::checkRow(*lv, r, *on));
        }
        if (v == "menu") {
            auto* m = as<Menu>(c, error, "a menu");
            return m ? refused(user::pickMenu(*m)) : error;
        }
        if (v == "button") {
            auto* bar = as<Toolbar>(c, error, "a toolbar");
            if (!bar) return error;
            int i = bar->find(a.args[1]);
            if (i == 0) return "no button " + a.args[1];
            return refused(user::clickButton(*bar, i));
        }
        if (v == "node" || v == "dblnode") {
            auto* tv = as<TreeView>(c, error, "a tree view");
            if (!tv) return error;
            int n = node(*tv, a.args[1]);
            if (n < 0 || n >= tv->nodeCount()) return "no node " + a.args[1];
            return refused(v == "node" ? user::clickNode(*tv, n) : user::doubleClickNode(*tv, n));
        }
        if (v == "tab") {
            auto* ts = as<TabStrip>(c, error, "a tab strip");
            if (!ts) return error;
            auto i = integer(a.args[1]);
            return i ? refused(user::selectTab(*ts, *i)) : "not a tab number";
        }
        return "unknown action";
    }

    void pick(const internal::Popup& p, Menu& menu) {
        if (!text::equalsNoCase(menu.form()->name(), p.form)) {
            failures_.push_back("line " + std::to_string(p.line) + ": pop-up menu " + p.menu +
                                " shown on " + menu.form()->name() + ", not on " + p.form);
            return;
        }
        if (p.item.empty()) return; // dismissed
        auto* item = menu.form()->find<Menu>(p.item);
        if (!item || !user::pickMenu(*item, &menu))
            failures_.push_back("line " + std::to_string(p.line) + ": pop-up item " + p.item +
                                " could not be picked");
    }

    internal::Script script_;
    headless::HeadlessBackend& backend_;
    headless::HeadlessControls& controls_;
    std::vector<bool> modalUsed_;
    std::vector<bool> popupUsed_;
    std::size_t idleNext_ = 0;
    int heldButtons_ = 0;
    std::vector<std::string> failures_;
};

std::unique_ptr<Runner>& current() {
    static std::unique_ptr<Runner> runner;
    return runner;
}

} // namespace

bool loadText(std::string_view text, std::string* error) {
    std::string why;
    auto parsed = internal::parse(text, why);
    if (!parsed) {
        if (error) *error = why;
        return false;
    }
    current().reset();
    auto& backend = headless::install();
    auto& controls = headless::installControls();
    current() = std::make_unique<Runner>(std::move(*parsed), backend, controls);
    return true;
}

bool loadFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string why;
    if (loadText(text.str(), &why)) return true;
    if (error) *error = path + ": " + why;
    return false;
}

bool active() {
    return current() != nullptr;
}

std::string report() {
    return current() ? current()->report() : std::string();
}

std::string transcript() {
    return current() ? current()->transcript() : std::string();
}

int finish(int exitCode, std::FILE* out) {
    if (!current()) return exitCode;
    // Texts are bytes and may hold a NUL: written whole, never as C strings.
    auto write = [out](const std::string& text) { std::fwrite(text.data(), 1, text.size(), out); };
    std::string failures = report();
    write("--- ui script transcript ---\n" + transcript());
    if (failures.empty()) {
        write("--- ui script: all as expected ---\n");
        return exitCode;
    }
    write("--- ui script FAILED ---\n" + failures);
    return 1;
}

void resetForTests() {
    current().reset();
    kv::ui::resetForTests();
}

int runScripted(const std::function<int()>& body) {
    const char* path = std::getenv(kScriptVariable);
    if (!path || !*path) return runProgram(body);
    std::string error;
    if (!loadFile(path, &error)) {
        std::fprintf(stderr, "ui script: %s\n", error.c_str());
        return 1;
    }
    return finish(runProgram(body));
}

} // namespace kv::ui::script
