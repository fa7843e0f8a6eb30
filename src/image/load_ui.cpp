#include "forms/main_window.h"

void bindPictureLoading(MainWindow&) {}
