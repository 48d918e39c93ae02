// The capture toolbar's tools as a user meets them over another program's window, with real input
// on a real X server and its compositor: the zoom lens (Ctrl+5), the screen painter (Ctrl+6) and
// its pointer, and the section capture from the toolbar's Command1 button. Results are read from
// the windows, the screen, the pointer and the files written.
#include "harness.h"

#include <QFileInfo>

#include <cstdlib>
#include <thread>

namespace vantor::desk {
namespace {

// Another program's window, blue; around the pointer's place in it red left of the pointer's
// column, green from it on, and a white pixel up and right of the pointer.
constexpr QRect PatternPlace(400, 300, 600, 400);
constexpr QPoint PointerInPattern(100, 100);

// What the compositor shows of the lens's colour, drawn at its opacity of 200, over what lies
// below: both within the rounding of a channel.
bool blendedNear(unsigned shown, unsigned over, unsigned under) {
    for (const int shift : {0, 8, 16}) {
        const int blend = int(((over >> shift & 0xFF) * 200 + (under >> shift & 0xFF) * 55) / 255);
        if (std::abs(int(shown >> shift & 0xFF) - blend) > 3)
            return false;
    }
    return true;
}

class ToolsTest : public DesktopTest {
protected:
    void SetUp() override {
        useImagesFolder();
        m_pattern = std::make_unique<PatternWindow>(
            PatternPlace, 0x0000ff,
            std::vector<PatternWindow::Fill>{{{60, 60, 40, 80}, Red},
                                             {{100, 60, 40, 80}, 0x00ff00},
                                             {{103, 95, 1, 1}, 0xffffff}});
        placed = m_pattern->shown();
        launchDocked();
        moveMouse(placed.topLeft() + PointerInPattern);
    }

    QString firstName() const { return QFileInfo(savedFiles().at(0)).fileName(); }

    QRect placed; // where the window manager put the pattern
};

TEST_F(ToolsTest, OneLensMagnifiesThePointersSurroundingsAndSavesOnADoubleClick) {
    const QImage before = screenshot();
    key("Control_L+5");
    const XWindow lens = waitForWindow("frmZoom").id;
    openMenuAt(windowRect(lens).center());
    // "Zoom" opens on its first item, 2x; nine steps down is 20x.
    key("Down Right Down Down Down Down Down Down Down Down Down Return");
    ASSERT_TRUE(menusGone());
    ASSERT_TRUE(waitFor([&] { return windowRect(lens).size() == QSize(640, 640); }));
    key("Control_L+5");
    EXPECT_TRUE(holdsFor([&] { return windowsOf(pid(), "frmZoom").size() == 1; }, 500ms));
    EXPECT_EQ(windowRect(lens).size(), QSize(640, 640)) << "a second Ctrl+5 reset the lens";

    moveMouse(placed.topLeft() + PointerInPattern);
    const QImage source =
        m_pattern->expected().copy(QRect(PointerInPattern - QPoint(16, 16), QSize(32, 32)));
    const QRect shown = windowRect(lens);
    QImage shot;
    EXPECT_TRUE(waitFor([&] {
        shot = screenshot(shown);
        // Inside the lens's frame, which may run beyond the screen, and between the grid's lines.
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                if (x % 20 != 0 && y % 20 != 0 &&
                    !blendedNear(rgbAt(shot, {x, y}), source.pixel(x / 20, y / 20) & 0xFFFFFF,
                                 rgbAt(before, shown.topLeft() + QPoint(x, y))))
                    return false;
        return true;
    })) << "the lens does not show the pattern 20 times; see "
        << savePng(shot, "lens");

    // A double click paced like a hand's: neither click starts a move that eats the other.
    click(shown.center());
    std::this_thread::sleep_for(150ms);
    click(shown.center());
    EXPECT_EQ(savedCapture(1).size(), QSize(640, 640));
    EXPECT_TRUE(firstName().startsWith("01) capture.zoom.20x.")) << firstName();
    EXPECT_EQ(windowRect(lens), shown);
    drag(shown.center(), shown.center() - QPoint(300, 200), 12);
    EXPECT_TRUE(waitFor([&] {
        return windowRect(lens).topLeft() == shown.topLeft() - QPoint(300, 200);
    })) << "a drag took the lens to "
        << windowRect(lens).topLeft();

    // The strip along its lower edge reads the blue beside the pattern's red: a swatch and text.
    moveMouse(placed.topLeft() + QPoint(50, 200));
    const QRect strip(windowRect(lens).bottomLeft() + QPoint(1, -18), QSize(638, 18));
    const QPoint swatch = strip.topLeft() + QPoint(8, 9);
    EXPECT_TRUE(waitFor([&] {
        return blendedNear(rgbAt(screenshot(), swatch), 0x0000ff, rgbAt(before, swatch));
    })) << savePng(screenshot(strip), "strip");
    EXPECT_TRUE(ocr(screenshot(strip)).contains("#0000FF")) << ocr(screenshot(strip));
}

TEST_F(ToolsTest, PainterDrawsAndRubsOutOverTheFrozenScreenWithItsPencilAndFadesOnEscape) {
    const QImage screen = screenshot();
    const QImage arrow = cursorImage();
    // Held over many ticks of the key poll: one painter, not a stack of them.
    holdKey("Control_L", true);
    holdKey("6", true);
    std::this_thread::sleep_for(600ms);
    holdKey("6", false);
    holdKey("Control_L", false);
    waitForWindow("frmScreenPainter");
    EXPECT_TRUE(holdsFor([&] { return windowsOf(pid(), "frmScreenPainter").size() == 1; }, 500ms));
    EXPECT_TRUE(waitFor([&] { return cursorImage() != arrow; })) << "no pencil over the painter";
    EXPECT_TRUE(waitFor([&] { return screenshot() == screen; })) << "not the frozen screen";

    // Over the pattern's blue, clear of its bars.
    const QPoint from = placed.topLeft() + QPoint(300, 250), to = from + QPoint(200, 0);
    drag(from, to, 20);
    const auto redAlongThePath = [&] {
        const QImage shot = screenshot();
        for (QPoint at = from; at.x() <= to.x(); at.rx() += 10)
            if (rgbAt(shot, at) != Red)
                return false;
        return true;
    };
    EXPECT_TRUE(waitFor(redAlongThePath)) << "see " << savePng(screenshot(), "drawn");
    // The eraser rubs out all along its way, however far apart a busy machine delivers the moves.
    drag(from - QPoint(30, 0), to + QPoint(30, 0), 4, Button::Right);
    EXPECT_TRUE(waitFor([&] { return screenshot() == screen; }))
        << "the line was not rubbed out; see " << savePng(screenshot(), "erased");

    // The second Escape finds the painter fading out.
    key("Escape Escape");
    EXPECT_TRUE(closed("frmScreenPainter"));
    EXPECT_TRUE(m_program->running());
}

TEST_F(ToolsTest, SectionShowsTheLiveScreenThroughItAndSavesWhatItFrames) {
    openSectionCapture(960);
    // Dragged from its middle onto the pattern, 40 pixels inside its corner.
    const QPoint shift = placed.topLeft() + QPoint(40, 40) - FirstSection.topLeft();
    drag(FirstSection.center(), FirstSection.center() + shift, 12);
    const QRect section = FirstSection.translated(shift);
    const QRect inside = section.adjusted(2, 2, -2, -2);
    const QImage& pattern = m_pattern->expected();
    EXPECT_TRUE(waitFor([&] {
        const QImage shot = screenshot();
        return shot.copy(inside) == pattern.copy(inside.translated(-placed.topLeft())) &&
               rgbAt(shot, section.topLeft() - QPoint(5, 5)) == 0 &&
               rgbAt(shot, placed.bottomRight()) == 0;
    })) << "see "
        << savePng(screenshot(), "section");

    key("Return");
    EXPECT_EQ(savedCapture(1), pattern.copy(section.translated(-placed.topLeft())));
    EXPECT_TRUE(firstName().startsWith("01) capture.section.(229x154).")) << firstName();
    EXPECT_TRUE(closed("frmCaptureSection"));
}

} // namespace
} // namespace vantor::desk
