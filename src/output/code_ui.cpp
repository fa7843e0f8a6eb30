#include "forms/main_window.h"

void bindCodeOutput(MainWindow&) {}
