// The list box and the table as the two views of the hotspot list.
#pragma once

#include <memory>

#include "core/hotspot_list.h"

class wxListBox;
class wxListCtrl;

std::unique_ptr<HotspotListView> makeHotspotListView(wxListBox* listBox, wxListCtrl* table);
