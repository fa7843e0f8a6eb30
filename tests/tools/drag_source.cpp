// A file manager's part in a drop, for the test display: a 100 × 100 window at the
// screen's top-left corner that offers the file named on its command line as
// text/uri-list when a drag starts on it. Ends when the drag ends: 0 when the file
// was taken, 1 when the drop was refused or went nowhere.
#include <gtk/gtk.h>

namespace {

gchar* fileUri = nullptr;
bool failed = false;

void giveData(GtkWidget*, GdkDragContext*, GtkSelectionData* data, guint, guint, gpointer) {
    gchar* uris[] = {fileUri, nullptr};
    gtk_selection_data_set_uris(data, uris);
}

gboolean dragFailed(GtkWidget*, GdkDragContext*, GtkDragResult, gpointer) {
    failed = true;
    return FALSE;
}

void dragEnded(GtkWidget*, GdkDragContext* context, gpointer) {
    if (!gdk_drag_drop_succeeded(context)) failed = true;
    gtk_main_quit();
}

}  // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    if (argc != 2) return 2;
    fileUri = g_filename_to_uri(argv[1], nullptr, nullptr);
    if (!fileUri) return 2;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "drag-source");
    gtk_window_set_default_size(GTK_WINDOW(window), 100, 100);
    gtk_window_move(GTK_WINDOW(window), 0, 0);
    GtkWidget* box = gtk_event_box_new();
    gtk_container_add(GTK_CONTAINER(window), box);
    GtkTargetEntry target = {const_cast<gchar*>("text/uri-list"), 0, 0};
    gtk_drag_source_set(box, GDK_BUTTON1_MASK, &target, 1, GDK_ACTION_COPY);
    g_signal_connect(box, "drag-data-get", G_CALLBACK(giveData), nullptr);
    g_signal_connect(box, "drag-failed", G_CALLBACK(dragFailed), nullptr);
    g_signal_connect(box, "drag-end", G_CALLBACK(dragEnded), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return failed ? 1 : 0;
}
