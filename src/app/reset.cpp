#include "forms/main_window.h"

void bindReset(MainWindow&) {}
