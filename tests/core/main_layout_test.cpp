#include <gtest/gtest.h>

#include "core/main_layout.h"

TEST(MainLayout, ClientAreaGivesCanvasPanelAndTable) {
    const MainLayout l = computeMainLayout(1280, 700, 20);
    EXPECT_EQ(l.canvas.left, 1);
    EXPECT_EQ(l.canvas.top, 1);
    EXPECT_EQ(l.canvas.width, 980);
    EXPECT_EQ(l.canvas.height, 678);
    EXPECT_EQ(l.panel.left, 983);
    EXPECT_EQ(l.panel.top, 1);
    EXPECT_EQ(l.panel.height, 678);
    EXPECT_EQ(l.panel.width, 295);
    EXPECT_EQ(l.group4Height, 300);
    EXPECT_EQ(l.tableHeight, 264);
}

TEST(MainLayout, TinyClientAreaStillComputes) {
    const MainLayout l = computeMainLayout(100, 10, 20);
    EXPECT_EQ(l.canvas.width, -200);  // callers clamp at zero when they size widgets
    EXPECT_EQ(l.panel.left, -197);
}
