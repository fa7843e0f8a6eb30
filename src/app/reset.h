// 清空 and every other start afresh.
#pragma once

class MainWindow;

// Throws away the picture and every hotspot and returns to the no-picture state.
void resetAll(MainWindow& window);
