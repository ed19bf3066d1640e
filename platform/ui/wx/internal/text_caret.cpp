#include "platform/ui/wx/internal/text_caret.h"

#include <wx/window.h>

#include <gtk/gtk.h>

namespace kv::ui::wx::internal {
namespace {

// A one-line entry has no switch for its cursor: a style class draws it transparent.
constexpr char kNoCaretClass[] = "kv-no-caret";
constexpr char kNoCaretStyle[] = ".kv-no-caret { caret-color: transparent; }";

// The widget that draws the text: a multi-line control's text view sits in a scrolled window.
GtkWidget* textWidget(wxWindow* text) {
    auto* widget = static_cast<GtkWidget*>(text ? text->GetHandle() : nullptr);
    if (widget && GTK_IS_SCROLLED_WINDOW(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
    return widget;
}

void addNoCaretStyle() {
    static bool added = false;
    GdkScreen* screen = gdk_screen_get_default();
    if (added || !screen) return;
    GtkCssProvider* css = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(css, kNoCaretStyle, -1, nullptr))
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    added = true;
}

} // namespace

void showTextCaret(wxWindow* text, bool shown) {
    GtkWidget* widget = textWidget(text);
    if (!widget) return;
    if (GTK_IS_TEXT_VIEW(widget)) {
        gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(widget), shown);
        return;
    }
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    if (shown) {
        gtk_style_context_remove_class(style, kNoCaretClass);
    } else {
        addNoCaretStyle();
        gtk_style_context_add_class(style, kNoCaretClass);
    }
}

bool textCaretShown(wxWindow* text) {
    GtkWidget* widget = textWidget(text);
    if (!widget) return false;
    if (GTK_IS_TEXT_VIEW(widget)) return gtk_text_view_get_cursor_visible(GTK_TEXT_VIEW(widget));
    return !gtk_style_context_has_class(gtk_widget_get_style_context(widget), kNoCaretClass);
}

} // namespace kv::ui::wx::internal
