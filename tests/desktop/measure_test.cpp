// The measuring overlay (Ctrl+7) and "Snap to edges" over another program's window of known
// rectangles, with real input on a real X server: the cross's and the box's readings through the
// clipboard, the saved capture, and a guide landing on an edge.
#include "harness.h"

namespace vantor::desk {
namespace {

// Another program's window, white, with a dark rectangle A, a second one B 60 pixels to its
// right, and bars above and below the gap between them, 110 pixels apart.
constexpr unsigned Dark = 0x203040;
constexpr QRect A(40, 40, 100, 60);
constexpr QPoint InGap(170, 70);

class MeasureTest : public DesktopTest {
protected:
    void SetUp() override {
        useImagesFolder();
        m_pattern = std::make_unique<PatternWindow>(
            QRect(300, 200, 400, 300), 0xffffff,
            std::vector<PatternWindow::Fill>{{A, Dark},
                                             {{200, 40, 80, 60}, Dark},
                                             {{150, 0, 40, 20}, Dark},
                                             {{150, 130, 40, 20}, Dark}});
        placed = m_pattern->shown();
        launchDocked();
    }

    // Copies the last measurement and waits for the clipboard to hold it.
    bool copied(const QString& text) {
        key("Control_L+c");
        return waitFor([&] { return clipboardText() == text; });
    }

    QRect placed;
};

TEST_F(MeasureTest, GuideLandsOnAnEdgeAndTheOverlayMeasuresPinsCopiesAndSavesWithoutTheTools) {
    chooseTrayItem(SnapToEdges);
    const WindowInfo guide = addFromTray(AddGuide, "frmGridLine");
    // Dropped with its red line 8 pixels left of A.
    const int edge = placed.left() + A.left();
    drag(QPoint(guide.rect.left() + 9, placed.top() + 250),
         QPoint(edge - 8 + 1, placed.top() + 70));
    EXPECT_TRUE(waitFor([&] {
        const QImage shown = screenshot();
        const int row = placed.top() + 250;
        return rgbAt(shown, QPoint(edge, row)) == Red &&
               rgbAt(shown, QPoint(edge - 1, row)) == 0xffffff;
    }));

    key("Control_L+7");
    const XWindow overlay = waitForWindow("MeasureOverlay").id;
    // Its keys reach it once the window manager has given it the focus.
    ASSERT_TRUE(waitFor([&] { return focusedWindow() == overlay; }));
    moveMouse(placed.topLeft() + InGap);
    click(placed.topLeft() + InGap);
    EXPECT_TRUE(copied(QString::fromUtf8("60 × 110 px"))) << clipboardText();
    // A box dragged around A from the white around it shrinks onto A.
    drag(placed.topLeft() + QPoint(30, 30), placed.topLeft() + QPoint(150, 110));
    EXPECT_TRUE(copied(QString::fromUtf8("100 × 60 px"))) << clipboardText();

    key("Return");
    const QImage saved = savedCapture(1);
    ASSERT_TRUE(closed("MeasureOverlay"));
    savePng(saved, "measured");
    EXPECT_EQ(rgbAt(saved, placed.topLeft() + A.center()), Dark);
    // The pinned cross's line, in the overlay's magenta, and no guide in the frozen screen.
    EXPECT_EQ(rgbAt(saved, placed.topLeft() + QPoint(150, InGap.y())), 0xec008cu);
    EXPECT_EQ(rgbAt(saved, QPoint(edge, placed.top() + 250)), 0xffffffu);
    EXPECT_TRUE(waitFor([&] {
        return rgbAt(screenshot(), QPoint(edge, placed.top() + 250)) == Red;
    })) << "the guide comes back";
}

} // namespace
} // namespace vantor::desk
