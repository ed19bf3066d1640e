#include "platform/ui/script/internal/address.h"

#include "platform/ui/application.h"

namespace kv::ui::script::internal {

Control* findControl(const std::string& address, Form* form, std::string& error) {
    std::string name = address;
    if (auto dot = address.find('.'); dot != std::string::npos) {
        form = app().findForm(address.substr(0, dot));
        name = address.substr(dot + 1);
        if (!form) return error = "no form " + address.substr(0, dot) + " is loaded", nullptr;
    }
    if (!form) return error = "address the control as form.control", nullptr;
    int index = -1;
    if (auto open = name.find('('); open != std::string::npos && name.back() == ')') {
        auto i = integer(name.substr(open + 1, name.size() - open - 2));
        if (!i) return error = "bad control index", nullptr;
        index = *i;
        name = name.substr(0, open);
    }
    Control* c = form->find(name, index);
    if (!c) error = "no control " + name + " on " + form->name();
    return c;
}

Widget* findWidget(const std::string& address, Form* form, std::string& error) {
    if (address.find('.') == std::string::npos && address.find('(') == std::string::npos) {
        if (form && form->find(address)) return form->find(address);
        if (Form* f = app().findForm(address)) return f;
        if (!form) return error = "no form " + address + " is loaded", nullptr;
    }
    return findControl(address, form, error);
}

std::optional<int> integer(const std::string& s) {
    try {
        std::size_t used = 0;
        int v = std::stoi(s, &used, 0);
        if (used == s.size()) return v;
    } catch (...) {}
    return std::nullopt;
}

} // namespace kv::ui::script::internal
