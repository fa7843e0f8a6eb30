#include "forms/main_window.h"

void bindHotspotEditing(MainWindow&) {}
