#include "core/main_layout.h"

MainLayout computeMainLayout(int clientWidth, int clientHeight, int statusBarHeight,
                             const MainLayoutDesign& design) {
    MainLayout l;
    l.canvas = {1, 1, clientWidth - 300, clientHeight - 2 - statusBarHeight};
    l.panel = {l.canvas.left + l.canvas.width + 2, 1, design.panelWidth, l.canvas.height};
    l.group4Height = l.panel.height - design.group4Top - 1;
    l.tableHeight = l.group4Height - design.tableTop - 4;
    return l;
}
