#include "platform/ui/application.h"
#include "platform/ui/script/internal/actions.h"
#include "platform/ui/script/internal/address.h"
#include "platform/ui/user_input.h"

#include <optional>

namespace kv::ui::script::internal {
namespace {

std::optional<int> button(const std::string& s) {
    if (s == "left") return kLeftButton;
    if (s == "right") return kRightButton;
    if (s == "middle") return kMiddleButton;
    return std::nullopt;
}

// The shown form a line names, or nullptr with `error` set.
Form* shownForm(const std::string& name, std::string& error) {
    Form* f = app().findForm(name);
    if (!f) return error = "no form " + name + " is loaded", nullptr;
    if (!f->shown()) return error = name + " is not shown", nullptr;
    return f;
}

} // namespace

std::string mouseAction(const Action& a, Form* form, int& held) {
    std::string error;
    Control* c = findControl(a.args[0], form, error);
    if (!c) return error;
    const bool move = a.verb == "move";
    auto b = move ? std::optional<int>(held) : button(a.args[1]);
    if (!b) return "say left, right or middle";
    auto x = integer(a.args[move ? 1 : 2]);
    auto y = integer(a.args[move ? 2 : 3]);
    if (!x || !y) return "the position is two numbers";
    MouseEvent e{*b, 0, *x, *y};
    bool done = a.verb == "press"     ? user::mouseDown(*c, e)
                : a.verb == "release" ? user::mouseUp(*c, e)
                                      : user::mouseMove(*c, e);
    if (!done) return "the user could not do it";
    if (a.verb == "press") held |= *b;
    if (a.verb == "release") held &= ~*b;
    return {};
}

std::string resizeForm(const Action& a) {
    std::string error;
    Form* f = shownForm(a.args[0], error);
    if (!f) return error;
    auto width = integer(a.args[1]);
    auto height = integer(a.args[2]);
    if (!width || !height || *width < 0 || *height < 0) return "the size is two numbers";
    if (f->borderStyle() != BorderStyle::Sizable &&
        f->borderStyle() != BorderStyle::SizableToolWindow)
        return "the window's frame cannot be sized";
    if (f->windowState() != WindowState::Normal) return "only a normal window can be sized";
    f->resize(*width, *height);
    return {};
}

std::string setWindowState(const Action& a) {
    std::string error;
    Form* f = shownForm(a.args[0], error);
    if (!f) return error;
    const std::string& s = a.args[1];
    if (s == "normal")
        f->setWindowState(WindowState::Normal);
    else if (s == "minimized")
        f->setWindowState(WindowState::Minimized);
    else if (s == "maximized")
        f->setWindowState(WindowState::Maximized);
    else
        return "say normal, minimized or maximized";
    return {};
}

} // namespace kv::ui::script::internal
