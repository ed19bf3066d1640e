#include "platform/ui/wx/internal/compact_style.h"

#include <wx/window.h>

#include <gtk/gtk.h>

namespace kv::ui::wx::internal {
namespace {

// The theme's own padding and minimum heights would clip the text of widgets laid out
// for the platform's metrics; these leave a line of text its room and no more.
constexpr char kCompact[] = R"(
button { min-height: 0; min-width: 0; padding: 1px 6px; }
entry { min-height: 0; padding-top: 0; padding-bottom: 0; }
combobox button.combo { min-height: 0; padding-top: 0; padding-bottom: 0; }
combobox entry { min-height: 0; }
checkbutton, radiobutton { min-height: 0; padding-top: 0; padding-bottom: 0; }
button.kv-picture { padding: 0; }
)";

constexpr char kPictureClass[] = "kv-picture";

} // namespace

void applyCompactStyle() {
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen) return;
    GtkCssProvider* css = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(css, kCompact, -1, nullptr))
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
}

void compactPictureButton(wxWindow* button) {
    gtk_style_context_add_class(gtk_widget_get_style_context(button->GetHandle()), kPictureClass);
}

} // namespace kv::ui::wx::internal
