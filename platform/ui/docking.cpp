#include "platform/ui/docking.h"

#include "platform/ui/application.h"
#include "platform/ui/bars.h"
#include "platform/ui/form.h"
#include "platform/ui/internal/current.h"
#include "platform/ui/menu.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace kv::ui {
namespace {

// The standard frame metrics, in pixels.
constexpr int kCaption = 19;
constexpr int kMenuBar = 19;
constexpr int kSizableBorder = 4;
constexpr int kFixedBorder = 3;

int toUnits(int pixels, Units units) {
    return units == Units::Pixels ? pixels : pixels * kTwipsPerPixel;
}

bool hasMenuBar(const Form& form) {
    for (Control* c : form.controls())
        if (dynamic_cast<Menu*>(c) && !c->container() && c->visible()) return true;
    return false;
}

} // namespace

Size clientSize(const Form& form) {
    if (Application* a = internal::currentApplication(); a && form.loaded())
        if (std::optional<Size> real = a->backend().clientSize(form)) return *real;
    int border = 0;
    int top = 0;
    if (form.borderStyle() != BorderStyle::None) {
        border = form.borderStyle() == BorderStyle::Sizable ? kSizableBorder : kFixedBorder;
        top = kCaption;
    }
    if (hasMenuBar(form)) top += kMenuBar;
    const int width = form.width() - toUnits(2 * border, form.units());
    const int height = form.height() - toUnits(2 * border + top, form.units());
    return {std::max(width, 0), std::max(height, 0)};
}

void arrangeDocked(Form& form) {
    const Size client = clientSize(form);
    int top = 0;
    int bottom = client.height;
    std::vector<Control*> docked;
    for (Control* c : form.controls())
        if (!c->container() && c->visible() && c->align() != Align::None) docked.push_back(c);
    // The window's own bars keep the edges; the other docked controls come inside them.
    std::stable_partition(docked.begin(), docked.end(), [](const Control* c) {
        return dynamic_cast<const Toolbar*>(c) || dynamic_cast<const StatusBar*>(c);
    });
    for (Control* c : docked) {
        if (c->align() == Align::Top) {
            c->setGeometry({0, top, client.width, c->height()});
            top += c->height();
        } else if (c->align() == Align::Bottom) {
            bottom -= c->height();
            c->setGeometry({0, bottom, client.width, c->height()});
        }
    }
}

} // namespace kv::ui
