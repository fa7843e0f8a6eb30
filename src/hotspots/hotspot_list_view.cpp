#include "hotspots/hotspot_list_view.h"

#include <wx/listbox.h>
#include <wx/listctrl.h>

#include "toolkit/widgets.h"

namespace {

class WidgetHotspotListView : public HotspotListView {
public:
    WidgetHotspotListView(wxListBox* listBox, wxListCtrl* table) : list_(listBox), table_(table) {}

    void insertEntry(int index, const std::string& text, int objectId) override {
        list_->Insert(toolkit::fromUtf8(text), std::min<unsigned>(index, list_->GetCount()),
                      reinterpret_cast<void*>(static_cast<intptr_t>(objectId)));
    }
    void setEntryText(int index, const std::string& text) override {
        if (index < 0 || index >= static_cast<int>(list_->GetCount())) return;
        // Replacing the string keeps item data, selection and scroll position.
        list_->SetString(index, toolkit::fromUtf8(text));
    }
    void deleteEntry(int index) override {
        if (index >= 0 && index < static_cast<int>(list_->GetCount())) list_->Delete(index);
    }
    void clearEntries() override { list_->Clear(); }
    void insertRow(int index, const std::string& caption) override {
        table_->InsertItem(std::min<long>(index, table_->GetItemCount()), toolkit::fromUtf8(caption));
    }
    void setCell(int row, int column, const std::string& text) override {
        if (row >= 0 && row < table_->GetItemCount()) table_->SetItem(row, column, toolkit::fromUtf8(text));
    }
    void deleteRow(int index) override {
        if (index >= 0 && index < table_->GetItemCount()) table_->DeleteItem(index);
    }
    void clearRows() override { table_->DeleteAllItems(); }
    int selection() const override { return list_->GetSelection(); }
    // Selecting what is selected already would only repaint both lists, on every
    // drag step: nothing is written then.
    void setSelection(int index) override {
        if (index < 0 || index >= static_cast<int>(list_->GetCount())) index = wxNOT_FOUND;
        if (list_->GetSelection() != index) list_->SetSelection(index);
    }
    void setSelectedRow(int index) override {
        if (index >= table_->GetItemCount()) index = -1;
        const long first = table_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        const bool onlyThat =
            first == index &&
            (first == -1 || table_->GetNextItem(first, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) == -1);
        if (onlyThat) return;
        for (long i = -1; (i = table_->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) != -1;)
            table_->SetItemState(i, 0, wxLIST_STATE_SELECTED);
        if (index >= 0) table_->SetItemState(index, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }

private:
    wxListBox* list_;
    wxListCtrl* table_;
};

}  // namespace

std::unique_ptr<HotspotListView> makeHotspotListView(wxListBox* listBox, wxListCtrl* table) {
    return std::make_unique<WidgetHotspotListView>(listBox, table);
}
