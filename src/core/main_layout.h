// Main-window layout arithmetic: client size in, geometry out.
#pragma once

struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct MainLayout {
    Geometry canvas;     // the canvas
    Geometry panel;      // the right-hand panel (width kept as designed)
    int group4Height = 0;  // the hotspot information group
    int tableHeight = 0;   // the hotspot table inside that group
};

struct MainLayoutDesign {
    int panelWidth = 295;
    int group4Top = 377;
    int tableTop = 32;
};

MainLayout computeMainLayout(int clientWidth, int clientHeight, int statusBarHeight,
                             const MainLayoutDesign& design = {});
