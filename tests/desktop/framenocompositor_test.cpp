// A section panel on a desktop without a compositor, where it is drawn opaque: its snap still
// saves what lies under it, not its own yellow face, and it comes back in place afterwards.
// Real input on a real X server started without a compositor.
#include "paneltest.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace vantor::desk {
namespace {

constexpr unsigned Yellow = 0xFFFF00;
constexpr unsigned Shadow = 0x808000;

class FrameNoCompositorTest : public PanelTest {};

TEST_F(FrameNoCompositorTest, SnapOfAnOpaquePanelSavesThePatternUnderIt) {
    QTemporaryDir images;
    ASSERT_TRUE(images.isValid());
    setImagesFolder(images.path());
    PatternWindow pattern(PatternArea, 0x0000ff, PatternFills);
    const QRect placed = windowRect(pattern.id());
    ASSERT_EQ(placed.size(), PatternArea.size());
    const QImage expected = expectedPattern(placed.size()).copy(QRect(QPoint(41, 31), PanelSize));
    ASSERT_TRUE(startProgram()) << "the icon did not dock";
    const std::optional<WindowInfo> panel = addPanel();
    ASSERT_TRUE(panel) << "no panel came up";
    const QRect area(placed.topLeft() + QPoint(41, 31), PanelSize);
    ASSERT_TRUE(dragPanelTo(*panel, area.topLeft()));

    // Nothing blends the panel with what lies under it: the screen shows it plain yellow.
    ASSERT_TRUE(waitFor([&] { return (screenshot(area).pixel(20, 20) & 0xFFFFFF) == Yellow; }))
        << "the panel is not drawn opaque: is a compositor running?";
    savePng(screenshot(area), "opaque-panel");

    // The second snap is taken over the first one's picture, under the panel's border and labels.
    for (int snap = 1; snap <= 2; ++snap) {
        click(area.topLeft() + SnapButton);
        ASSERT_TRUE(waitFor([&] {
            return bitmapsBelow(images.path()).size() == static_cast<qsizetype>(snap);
        })) << "snap "
            << snap << " saved no file";
        const QString file = bitmapsBelow(images.path()).back();
        EXPECT_TRUE(QFileInfo(file).fileName().startsWith(
            QStringLiteral("0%1) capture.section.(473x277).").arg(snap)))
            << file.toStdString();
        QImage saved;
        ASSERT_TRUE(waitFor([&] { return saved.load(file) && !saved.isNull(); }));
        saved = saved.convertToFormat(QImage::Format_RGB32);
        savePng(saved, "snap-" + std::to_string(snap));
        EXPECT_EQ(saved, expected) << "snap " << snap << " is not the pattern under the panel";

        // The panel is back where it was, at its size, showing the snapshot inside its border.
        EXPECT_TRUE(waitFor([&] {
            const QImage shown = screenshot(area);
            return (shown.pixel(0, 0) & 0xFFFFFF) == Shadow &&
                   shown.pixel(20, 20) == expected.pixel(20, 20);
        })) << "snap "
            << snap << ": the panel did not come back";
        EXPECT_EQ(windowRect(panel->id), area);
    }
    savePng(screenshot(area.adjusted(-20, -20, 20, 20)), "panel-after-snaps");
}

} // namespace
} // namespace vantor::desk
