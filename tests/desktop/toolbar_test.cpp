// The capture toolbar at the top edge of the screen, the global Ctrl+digit keys and the snapping
// of another program's window onto a guide, with that program (xmessage) in front and holding
// the keyboard. Real input on a real X server; results are read from the windows, their
// properties and the capture files written.
#include "harness.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <thread>

namespace vantor::desk {
namespace {

constexpr QRect OpenToolbar((1920 - 346) / 2, 0, 346, 57);
// Middles of the six picture buttons inside the toolbar.
constexpr QPoint button(int index) {
    return {6 + 58 * index + 24, 4 + 24};
}
const QString Screen = QStringLiteral("capture.screen.(1920x1080)");
const QString Section = QStringLiteral("capture.section.(473x277)");

class ToolbarTest : public DesktopTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(images.isValid());
        setImagesFolder(images.path());
        launchDocked();
        ASSERT_TRUE(waitFor([&] {
            const auto found =
                findWindows([](const WindowInfo& w) { return w.instance == "xmessage"; });
            other = found.empty() ? 0 : found.front().id;
            return other != 0;
        })) << "xmessage did not show";
    }

    // Puts the other program in front with a click on its title bar.
    void bringOtherToFront() {
        const QRect frame = frameRect(other);
        click(QPoint(frame.center().x(), frame.top() + 8));
        ASSERT_TRUE(waitFor([&] { return activeWindow() == other; })) << activeWindow();
    }

    // The capture files so far, by name without the date, and their pictures' sizes.
    std::vector<std::pair<QString, QSize>> captures() const {
        std::vector<std::pair<QString, QSize>> found;
        for (const QString& file : bitmapsBelow(images.path()))
            found.emplace_back(QFileInfo(file).fileName().section(QLatin1Char('.'), 0, -3),
                               QImage(file).size());
        return found;
    }
    bool capturesAre(const std::vector<std::pair<QString, QSize>>& expected) const {
        return waitFor([&] { return captures() == expected; });
    }
    static QString numbered(int number, const QString& name) {
        return QStringLiteral("%1) ").arg(number, 2, 10, QLatin1Char('0')) + name;
    }

    QTemporaryDir images;
    Process xmessage{{"xmessage", "-geometry", "500x200+700+400", "another program"}};
    XWindow other = 0;
};

TEST_F(ToolbarTest, TheTopEdgeOpensTheToolbarWhoseButtonsDoTheirJobs) {
    addPanelAt(QPoint(100, 250));
    bringOtherToFront();
    const QSize otherSize = frameRect(other).size();
    moveMouse(QPoint(OpenToolbar.center().x(), 0));
    XWindow bar = 0;
    ASSERT_TRUE(waitFor([&] {
        const std::vector<WindowInfo> found = windowsOf(pid(), "frmToolbar");
        bar = found.size() == 1 ? found.front().id : 0;
        return bar != 0 && windowRect(bar) == OpenToolbar &&
               cardinal(bar, "_NET_WM_WINDOW_OPACITY") == qRound64(200 / 255.0 * 0xFFFFFFFF);
    })) << "toolbar at "
        << windowRect(bar).y() << ", opacity " << cardinal(bar, "_NET_WM_WINDOW_OPACITY");
    savePng(screenshot(OpenToolbar.adjusted(-20, 0, 20, 20)), "open-toolbar");

    // The window captured is the one in front when the toolbar began to open, not the toolbar.
    for (const int index : {1, 2, 0})
        click(OpenToolbar.topLeft() + button(index));
    EXPECT_TRUE(capturesAre({{numbered(1, Screen), {1920, 1080}},
                             {numbered(2, "capture.window"), otherSize},
                             {numbered(3, Section), {473, 277}}}));

    // The painter covers the screen and takes the keys; Escape closes it.
    click(OpenToolbar.topLeft() + button(4));
    EXPECT_TRUE(waitFor([&] {
        const std::vector<WindowInfo> painters = windowsOf(pid(), "frmScreenPainter");
        return painters.size() == 1 && activeWindow() == painters.front().id;
    }));
    key("Escape");
    EXPECT_TRUE(waitFor([&] { return windowsOf(pid(), "frmScreenPainter").empty(); }));
    click(OpenToolbar.topLeft() + button(3));
    EXPECT_TRUE(waitFor([&] { return windowsOf(pid(), "frmZoom").size() == 1; }));

    moveMouse(QPoint(OpenToolbar.center().x(), 300));
    EXPECT_TRUE(waitFor([&] { return windowRect(bar).topLeft() == QPoint(OpenToolbar.x(), -58); }))
        << "toolbar at " << windowRect(bar).y();
}

// Ctrl is held throughout and each digit tapped: the tap is seen once, on the next look at the
// keyboard. A digit held down captures again on every look.
TEST_F(ToolbarTest, CtrlDigitsCaptureWhileAnotherProgramHasTheKeyboard) {
    addPanelAt(QPoint(100, 250));
    bringOtherToFront();
    const QSize otherSize = frameRect(other).size();
    holdKey("Control_L", true);
    key("1");
    key("2");
    key("3");
    std::vector<std::pair<QString, QSize>> expected = {{numbered(1, Screen), {1920, 1080}},
                                                       {numbered(2, "capture.window"), otherSize},
                                                       {numbered(3, Section), {473, 277}}};
    EXPECT_TRUE(capturesAre(expected));
    key("4");
    EXPECT_TRUE(holdsFor([&] { return captures() == expected; }, 500ms));
    holdKey("1", true);
    std::this_thread::sleep_for(450ms);
    holdKey("1", false);
    std::this_thread::sleep_for(150ms);
    holdKey("Control_L", false);
    std::this_thread::sleep_for(300ms);
    const qsizetype count = bitmapsBelow(images.path()).size();
    ASSERT_GE(count, 5) << "a held Ctrl+1 did not repeat";
    while (qsizetype(expected.size()) < count)
        expected.push_back({numbered(int(expected.size()) + 1, Screen), {1920, 1080}});
    EXPECT_TRUE(capturesAre(expected));

    // A digit tapped under a Control key already down at one look, both let go before the next.
    holdKey("Control_L", true);
    std::this_thread::sleep_for(250ms);
    holdKey("3", true);
    holdKey("3", false);
    holdKey("Control_L", false);
    expected.push_back({numbered(int(expected.size()) + 1, Section), {473, 277}});
    EXPECT_TRUE(capturesAre(expected));
}

TEST_F(ToolbarTest, AnotherProgramsWindowInFrontSnapsItsLeftEdgeOntoAGuide) {
    const int line = addFromTray(AddGuide, "frmGridLine").rect.left() + GuideStrip / 2;
    bringOtherToFront();
    const QRect start = frameRect(other);
    // Snapped, the left edge lies on the line and the right and bottom edges stay put.
    moveFrame(other, QPoint(line - 10, start.top()));
    const QRect snapped(QPoint(line, start.top()),
                        QPoint(line - 10 + start.width() - 1, start.bottom()));
    EXPECT_TRUE(waitFor([&] { return frameRect(other) == snapped; }))
        << "frame at " << frameRect(other).x() << ", " << frameRect(other).width() << " wide";
    moveFrame(other, QPoint(line - 13, start.top()));
    ASSERT_TRUE(waitFor([&] { return frameRect(other).left() == line - 13; }));
    EXPECT_TRUE(holdsFor([&] { return frameRect(other).left() == line - 13; }, 500ms));
}

} // namespace
} // namespace vantor::desk
