#include "platform/ui/script/property_reader.h"

#include "platform/text/ansi.h"
#include "platform/ui/bars.h"
#include "platform/ui/buttons.h"
#include "platform/ui/list_view.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/web_browser.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace kv::ui::script {
namespace {

std::string show(bool on) {
    return on ? "true" : "false";
}
std::string show(int n) {
    return std::to_string(n);
}
std::string show(const std::string& s) {
    return s;
}
std::string show(WindowState state) {
    switch (state) {
    case WindowState::Minimized:
        return "minimized";
    case WindowState::Maximized:
        return "maximized";
    case WindowState::Normal:
        break;
    }
    return "normal";
}
std::string show(SortOrder order) {
    return order == SortOrder::Descending ? "descending" : "ascending";
}
std::string show(MousePointer pointer) {
    return std::to_string(static_cast<int>(pointer));
}
std::string show(CheckState state) {
    return std::to_string(static_cast<int>(state));
}
// "Arial 10 bold italic": face, size in points, then the styles that are on.
std::string show(const Font& font) {
    char size[32];
    std::snprintf(size, sizeof size, "%g", font.size);
    std::string out = font.name + " " + size;
    for (auto [on, word] : {std::pair{font.bold, " bold"},
                            {font.italic, " italic"},
                            {font.underline, " underline"},
                            {font.strikeout, " strikeout"}})
        if (on) out += word;
    return out;
}

// "0+5 12+3": each bold run's start and length.
std::string show(const std::vector<TextRun>& runs) {
    std::string out;
    for (const TextRun& r : runs)
        out += (out.empty() ? "" : " ") + std::to_string(r.start) + "+" + std::to_string(r.length);
    return out;
}

// One property of the widgets of kind T.
struct Entry {
    std::string_view name;
    std::function<std::optional<std::string>(const Widget&)> read;
};

template <class T, class F> Entry of(std::string_view name, F get) {
    return {name, [get](const Widget& w) -> std::optional<std::string> {
                if (auto* t = dynamic_cast<const T*>(&w)) return show(get(*t));
                return std::nullopt;
            }};
}

// Every widget property, common ones first; a name may come once per kind.
const std::vector<Entry>& entries() {
    static const std::vector<Entry> table{
        of<Widget>("caption", [](const Widget& w) { return w.caption(); }),
        of<Widget>("visible", [](const Widget& w) { return w.visible(); }),
        of<Widget>("enabled", [](const Widget& w) { return w.enabled(); }),
        of<Widget>("left", [](const Widget& w) { return w.left(); }),
        of<Widget>("top", [](const Widget& w) { return w.top(); }),
        of<Widget>("width", [](const Widget& w) { return w.width(); }),
        of<Widget>("height", [](const Widget& w) { return w.height(); }),
        of<Widget>("tag", [](const Widget& w) { return w.tag(); }),
        of<Widget>("toolTip", [](const Widget& w) { return w.toolTip(); }),
        of<Widget>("font", [](const Widget& w) { return w.font(); }),
        of<Widget>("mousePointer", [](const Widget& w) { return w.mousePointer(); }),
        of<Widget>("rightToLeft", [](const Widget& w) { return w.rightToLeft(); }),
        of<Control>("focus", [](const Control& c) { return c.hasFocus(); }),
        of<Form>("loaded", [](const Form& f) { return f.loaded(); }),
        of<Form>("windowState", [](const Form& f) { return f.windowState(); }),
        of<TextBox>("text", [](const TextBox& t) { return t.text(); }),
        of<TextBox>("maxLength", [](const TextBox& t) { return t.maxLength(); }),
        of<TextBox>("locked", [](const TextBox& t) { return t.locked(); }),
        of<RichTextBox>("text", [](const RichTextBox& t) { return t.text(); }),
        of<RichTextBox>("locked", [](const RichTextBox& t) { return t.locked(); }),
        of<RichTextBox>("boldRuns", [](const RichTextBox& t) { return t.boldRuns(); }),
        of<ComboBox>("text", [](const ComboBox& b) { return b.text(); }),
        of<ListBox>("text", [](const ListBox& b) { return b.text(); }),
        of<ListControl>("listIndex", [](const ListControl& l) { return l.listIndex(); }),
        of<ListControl>("listCount", [](const ListControl& l) { return l.listCount(); }),
        of<CheckBox>("value", [](const CheckBox& b) { return b.value(); }),
        of<CheckBox>("checked", [](const CheckBox& b) { return b.checked(); }),
        of<OptionButton>("value", [](const OptionButton& b) { return b.value(); }),
        of<OptionButton>("checked", [](const OptionButton& b) { return b.value(); }),
        of<ProgressBar>("value", [](const ProgressBar& p) { return p.value(); }),
        of<Menu>("checked", [](const Menu& m) { return m.checked(); }),
        of<Menu>("shortcut", [](const Menu& m) { return m.shortcut(); }),
        of<ListView>("itemCount", [](const ListView& l) { return l.itemCount(); }),
        of<ListView>("selectedIndex", [](const ListView& l) { return l.selectedIndex(); }),
        of<ListView>("columnCount", [](const ListView& l) { return l.columnCount(); }),
        of<ListView>("sorted", [](const ListView& l) { return l.sorted(); }),
        of<ListView>("sortKey", [](const ListView& l) { return l.sortKey(); }),
        of<ListView>("sortOrder", [](const ListView& l) { return l.sortOrder(); }),
        of<TreeView>("nodeCount", [](const TreeView& t) { return t.nodeCount(); }),
        of<TreeView>("selectedIndex", [](const TreeView& t) { return t.selectedIndex(); }),
        of<Toolbar>("buttonCount", [](const Toolbar& t) { return t.buttonCount(); }),
        of<StatusBar>("panelCount", [](const StatusBar& s) { return s.panelCount(); }),
        of<TabStrip>("tabCount", [](const TabStrip& t) { return t.tabCount(); }),
        of<TabStrip>("selectedIndex", [](const TabStrip& t) { return t.selectedIndex(); }),
        of<WebBrowser>("locationURL", [](const WebBrowser& b) { return b.locationURL(); }),
        of<WebBrowser>("locationName", [](const WebBrowser& b) { return b.locationName(); }),
        of<WebBrowser>("busy", [](const WebBrowser& b) { return b.busy(); }),
        of<Timer>("interval", [](const Timer& t) { return t.interval(); }),
        of<PictureBox>("picture", [](const PictureBox& p) { return p.picture().source; }),
        of<PictureBox>("borderStyle",
                       [](const PictureBox& p) { return static_cast<int>(p.borderStyle()); }),
        of<Image>("picture", [](const Image& i) { return i.picture().source; }),
    };
    return table;
}

// A number from "#n" or, where bare numbers are allowed, "n".
std::optional<int> number(const std::string& which, bool bare) {
    std::string digits = which;
    if (digits.starts_with("#"))
        digits.erase(0, 1);
    else if (!bare)
        return std::nullopt;
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(digits);
}

// The property's name and its argument: "subItem(2)" -> ("subItem", 2).
std::pair<std::string, std::optional<int>> split(std::string_view property) {
    auto open = property.find('(');
    if (open == std::string_view::npos || !property.ends_with(")"))
        return {std::string(property), std::nullopt};
    auto n = number(std::string(property.substr(open + 1, property.size() - open - 2)), true);
    if (!n) return {std::string(property), std::nullopt};
    return {std::string(property.substr(0, open)), n};
}

// One property of an element of a control of kind T: element index, property argument.
template <class T> struct ElementEntry {
    std::string_view name;
    bool takesArgument;
    std::function<std::string(const T&, int, int)> read;
};

template <class T>
std::optional<std::string> readOf(const T& control, int i, std::string_view property,
                                  const std::vector<ElementEntry<T>>& table, std::string& error) {
    auto [name, argument] = split(property);
    for (const auto& e : table)
        if (text::equalsNoCase(e.name, name) && e.takesArgument == argument.has_value())
            return e.read(control, i, argument.value_or(0));
    error = "no property " + std::string(property);
    return std::nullopt;
}

std::optional<std::string> rowProperty(const ListView& lv, const Element& e,
                                       std::string_view property, std::string& error) {
    int row = number(e.which, false).value_or(-1);
    if (!e.which.starts_with("#"))
        for (int i = 0; i < lv.itemCount() && row < 0; ++i)
            if (lv.text(i) == e.which) row = i;
    if (row < 0 || row >= lv.itemCount()) return error = "no row " + e.which, std::nullopt;
    static const std::vector<ElementEntry<ListView>> table{
        {"text", false, [](const ListView& l, int r, int) { return l.text(r); }},
        {"subItem", true, [](const ListView& l, int r, int n) { return l.text(r, n); }},
        {"tag", false, [](const ListView& l, int r, int) { return l.item(r).tag; }},
        {"checked", false, [](const ListView& l, int r, int) { return show(l.checked(r)); }},
        {"selected", false, [](const ListView& l, int r, int) { return show(l.item(r).selected); }},
        {"icon", false, [](const ListView& l, int r, int) { return show(l.item(r).icon); }},
        {"smallIcon", false,
         [](const ListView& l, int r, int) { return show(l.item(r).smallIcon); }},
    };
    return readOf(lv, row, property, table, error);
}

std::optional<std::string> columnProperty(const ListView& lv, const Element& e,
                                          std::string_view property, std::string& error) {
    int column = number(e.which, true).value_or(-1);
    if (column < 0 || column >= lv.columnCount())
        return error = "no column " + e.which, std::nullopt;
    static const std::vector<ElementEntry<ListView>> table{
        {"text", false, [](const ListView& l, int c, int) { return l.column(c).text; }},
        {"width", false, [](const ListView& l, int c, int) { return show(l.column(c).width); }},
        {"icon", false, [](const ListView& l, int c, int) { return show(l.column(c).icon); }},
    };
    return readOf(lv, column, property, table, error);
}

std::optional<std::string> nodeProperty(const TreeView& tv, const Element& e,
                                        std::string_view property, std::string& error) {
    int node = e.which.starts_with("#") ? number(e.which, false).value_or(-1) : tv.find(e.which);
    if (node < 0 || node >= tv.nodeCount()) return error = "no node " + e.which, std::nullopt;
    static const std::vector<ElementEntry<TreeView>> table{
        {"text", false, [](const TreeView& t, int n, int) { return t.node(n).text; }},
        {"key", false, [](const TreeView& t, int n, int) { return t.node(n).key; }},
        {"expanded", false, [](const TreeView& t, int n, int) { return show(t.node(n).expanded); }},
        {"selected", false,
         [](const TreeView& t, int n, int) { return show(t.selectedIndex() == n); }},
        {"parent", false,
         [](const TreeView& t, int n, int) {
             int p = t.node(n).parent;
             return p < 0 ? std::string() : t.node(p).key;
         }},
        {"image", false, [](const TreeView& t, int n, int) { return show(t.node(n).image); }},
    };
    return readOf(tv, node, property, table, error);
}

std::optional<std::string> buttonProperty(const Toolbar& bar, const Element& e,
                                          std::string_view property, std::string& error) {
    int button = e.which.starts_with("#") ? number(e.which, false).value_or(0) : bar.find(e.which);
    if (button < 1 || button > bar.buttonCount())
        return error = "no button " + e.which, std::nullopt;
    static const std::vector<ElementEntry<Toolbar>> table{
        {"key", false, [](const Toolbar& t, int b, int) { return t.button(b).key; }},
        {"caption", false, [](const Toolbar& t, int b, int) { return t.button(b).caption; }},
        {"toolTip", false, [](const Toolbar& t, int b, int) { return t.button(b).toolTip; }},
        {"enabled", false, [](const Toolbar& t, int b, int) { return show(t.button(b).enabled); }},
        {"visible", false, [](const Toolbar& t, int b, int) { return show(t.button(b).visible); }},
        {"pressed", false, [](const Toolbar& t, int b, int) { return show(t.button(b).pressed); }},
        {"image", false, [](const Toolbar& t, int b, int) { return show(t.button(b).image); }},
    };
    return readOf(bar, button, property, table, error);
}

std::optional<std::string> panelProperty(const StatusBar& bar, const Element& e,
                                         std::string_view property, std::string& error) {
    int panel = number(e.which, true).value_or(0);
    if (panel < 1 || panel > bar.panelCount()) return error = "no panel " + e.which, std::nullopt;
    static const std::vector<ElementEntry<StatusBar>> table{
        {"text", false, [](const StatusBar& s, int p, int) { return s.panelText(p); }},
    };
    return readOf(bar, panel, property, table, error);
}

std::optional<std::string> tabProperty(const TabStrip& tabs, const Element& e,
                                       std::string_view property, std::string& error) {
    int tab = number(e.which, true).value_or(0);
    if (tab < 1 || tab > tabs.tabCount()) return error = "no tab " + e.which, std::nullopt;
    static const std::vector<ElementEntry<TabStrip>> table{
        {"caption", false, [](const TabStrip& t, int i, int) { return t.tab(i).caption; }},
        {"key", false, [](const TabStrip& t, int i, int) { return t.tab(i).key; }},
        {"tag", false, [](const TabStrip& t, int i, int) { return t.tab(i).tag; }},
        {"toolTip", false, [](const TabStrip& t, int i, int) { return t.tab(i).toolTip; }},
        {"selected", false,
         [](const TabStrip& t, int i, int) { return show(t.selectedIndex() == i); }},
    };
    return readOf(tabs, tab, property, table, error);
}

std::optional<std::string> elementProperty(const Widget& w, const Element& e,
                                           std::string_view property, std::string& error) {
    auto wrongKind = [&] {
        error = "a " + std::string(w.kind()) + " has no " + e.kind;
        return std::nullopt;
    };
    if (e.kind == "row" || e.kind == "column") {
        auto* lv = dynamic_cast<const ListView*>(&w);
        if (!lv) return wrongKind();
        return e.kind == "row" ? rowProperty(*lv, e, property, error)
                               : columnProperty(*lv, e, property, error);
    }
    if (e.kind == "node") {
        auto* tv = dynamic_cast<const TreeView*>(&w);
        return tv ? nodeProperty(*tv, e, property, error) : wrongKind();
    }
    if (e.kind == "button") {
        auto* bar = dynamic_cast<const Toolbar*>(&w);
        return bar ? buttonProperty(*bar, e, property, error) : wrongKind();
    }
    if (e.kind == "panel") {
        auto* bar = dynamic_cast<const StatusBar*>(&w);
        return bar ? panelProperty(*bar, e, property, error) : wrongKind();
    }
    if (e.kind == "tab") {
        auto* tabs = dynamic_cast<const TabStrip*>(&w);
        return tabs ? tabProperty(*tabs, e, property, error) : wrongKind();
    }
    error = "no element kind " + e.kind;
    return std::nullopt;
}

} // namespace

std::optional<std::string> readProperty(const Widget& widget, std::string_view property,
                                        std::string& error, const Element* element) {
    if (element) return elementProperty(widget, *element, property, error);
    for (const Entry& e : entries())
        if (text::equalsNoCase(e.name, property))
            if (auto value = e.read(widget)) return value;
    error = "a " + std::string(widget.kind()) + " has no property " + std::string(property);
    return std::nullopt;
}

std::vector<std::string> propertyNames(const Widget& widget) {
    std::vector<std::string> names;
    for (const Entry& e : entries()) {
        std::string name(e.name);
        if (std::find(names.begin(), names.end(), name) == names.end() && e.read(widget))
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace kv::ui::script
