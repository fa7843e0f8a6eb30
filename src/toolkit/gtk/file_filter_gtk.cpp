// GTK: the dialog keeps wx's filters in their order (wx finds the chosen one by
// its position), each rebuilt with patterns that ignore letter case.
#include <gtk/gtk.h>
#include <wx/filedlg.h>

#include <algorithm>

#include "core/display_text.h"
#include "toolkit/file_filter.h"

namespace toolkit {

namespace {

GtkFileChooser* chooserOf(wxFileDialog& dialog) { return GTK_FILE_CHOOSER(dialog.GetHandle()); }

}  // namespace

void setAnyCaseFilters(wxFileDialog& dialog, const FileFilters& filters) {
    GtkFileChooser* chooser = chooserOf(dialog);
    GSList* old = gtk_file_chooser_list_filters(chooser);
    for (GSList* f = old; f; f = f->next) gtk_file_chooser_remove_filter(chooser, GTK_FILE_FILTER(f->data));
    g_slist_free(old);
    GtkFileFilter* first = nullptr;
    for (const auto& [name, patterns] : filters) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, name.c_str());
        std::size_t start = 0;
        while (start <= patterns.size()) {
            const std::size_t end = std::min(patterns.find(';', start), patterns.size());
            const std::string one = patterns.substr(start, end - start);
            if (!one.empty()) gtk_file_filter_add_pattern(filter, text::anyCasePattern(one).c_str());
            start = end + 1;
        }
        gtk_file_chooser_add_filter(chooser, filter);
        if (!first) first = filter;
    }
    if (first) gtk_file_chooser_set_filter(chooser, first);
}

bool filterListsFile(wxFileDialog& dialog, int index, const std::string& fileName) {
    GSList* filters = gtk_file_chooser_list_filters(chooserOf(dialog));
    auto* filter = static_cast<GtkFileFilter*>(g_slist_nth_data(filters, static_cast<guint>(index)));
    g_slist_free(filters);
    if (!filter) return false;
    GtkFileFilterInfo info{};
    info.contains = static_cast<GtkFileFilterFlags>(GTK_FILE_FILTER_DISPLAY_NAME | GTK_FILE_FILTER_FILENAME);
    info.display_name = fileName.c_str();
    info.filename = fileName.c_str();
    return gtk_file_filter_filter(filter, &info);
}

}  // namespace toolkit
