#include "forms/main_window.h"

void bindCanvasHandlers(MainWindow&) {}
