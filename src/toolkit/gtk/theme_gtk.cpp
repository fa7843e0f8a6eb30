// On GTK the themed style is a compact look: the designed geometry is that of a
// dense classic UI, so buttons, entries and sliders drop GTK's generous padding.
#include <gtk/gtk.h>

#include "toolkit/theme.h"

namespace toolkit {

wxString platformUiFaceName() { return "WenQuanYi Zen Hei"; }

void platformThemedStyle(int style) {
    static GtkCssProvider* provider = nullptr;
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen) return;
    const bool on = style >= 1 && style <= 3;
    if (on && !provider) {
        provider = gtk_css_provider_new();
        gtk_css_provider_load_from_data(provider,
            "button { padding: 0px 2px; min-height: 0px; min-width: 0px; }\n"
            "entry { min-height: 0px; padding: 0px 3px; }\n"
            "scale { padding: 0px; min-height: 0px; }\n"
            "scale slider { min-height: 12px; min-width: 12px; margin: -5px; }\n"
            "scale trough { min-height: 4px; }\n"
            "frame > label { padding: 0px; }\n"
            "colorswatch, button.color { padding: 2px; min-height: 0px; }\n"
            "combobox button { padding: 0px 2px; min-height: 0px; }\n",
            -1, nullptr);
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    } else if (!on && provider) {
        gtk_style_context_remove_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider));
        g_object_unref(provider);
        provider = nullptr;
    }
}

}  // namespace toolkit
