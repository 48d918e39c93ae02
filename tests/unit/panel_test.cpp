#include "panels/framelayout.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(FrameHandleDrag, CornerFollowsTheCursorDownToTwentyPixels) {
    const QPoint topLeft(100, 100);
    const QSize handle(16, 16);
    // Grabbed at 4, 6 inside the handle: the corner stays 12 and 10 pixels beyond the cursor.
    EXPECT_EQ(draggedPanelSize(topLeft, QPoint(300, 200), QPoint(4, 6), handle), QSize(212, 110));
    EXPECT_EQ(draggedPanelSize(topLeft, QPoint(107, 103), QPoint(0, 0), handle), QSize(23, 20));
    EXPECT_EQ(draggedPanelSize(topLeft, QPoint(-500, -500), QPoint(8, 8), handle), QSize(20, 20));
    EXPECT_EQ(draggedPanelSize(QPoint(-3000, 5000), QPoint(-2000, 5500), QPoint(16, 16), handle),
              QSize(1000, 500));
}

TEST(FrameLayout, ShadowColourHalvesTheBackgroundAndInvertsBlackAndWhite) {
    EXPECT_EQ(panelShadowColor(qRgb(255, 255, 0)), qRgb(128, 128, 0));
    EXPECT_EQ(panelShadowColor(qRgb(0, 0, 0)), qRgb(255, 255, 255));
    EXPECT_EQ(panelShadowColor(qRgb(255, 255, 255)), qRgb(0, 0, 0));
    // Halves go to the even neighbour: 1 gives 0, 5 gives 2, 3 gives 2, 7 gives 4.
    EXPECT_EQ(panelShadowColor(qRgb(1, 5, 3)), qRgb(0, 2, 2));
    EXPECT_EQ(panelShadowColor(qRgb(7, 254, 253)), qRgb(4, 127, 126));
}

TEST(FrameLayout, LabelsAreRightMiddleAndBottomCentreWithBoxesTwoPixelsAround) {
    const PanelLabel across = widthLabelPlace(QSize(473, 277), QSize(40, 17));
    EXPECT_EQ(across.text, QPoint(428, 130)); // 138.5 - 8.5 = 130
    EXPECT_EQ(across.box, QRect(QPoint(426, 128), QPoint(469, 148)));
    const PanelLabel down = heightLabelPlace(QSize(473, 277), QSize(40, 17));
    EXPECT_EQ(down.text, QPoint(216, 255)); // 236.5 - 20 = 216.5, halves to even
    EXPECT_EQ(down.box, QRect(QPoint(214, 253), QPoint(257, 273)));
    EXPECT_EQ(heightLabelPlace(QSize(475, 277), QSize(40, 17)).text.x(), 218); // 217.5
    EXPECT_EQ(widthLabelPlace(QSize(100, 20), QSize(40, 15)).text.y(), 2);     // 10 - 7.5
    EXPECT_EQ(widthLabelPlace(QSize(100, 22), QSize(40, 15)).text.y(), 4);     // 11 - 7.5
}
