// A section panel on a desktop without a compositor, where it is drawn opaque: its snap still
// saves what lies under it, not its own yellow face, and it comes back in place afterwards.
// Real input on a real X server started without a compositor.
#include "harness.h"

namespace vantor::desk {
namespace {

// The panel's border: its yellow halved.
constexpr unsigned Shadow = 0x808000;

TEST_F(DesktopTest, SnapOfAnOpaquePanelSavesThePatternUnderIt) {
    useImagesFolder();
    const WindowInfo panel = launchWithPanelOverPattern();

    // Nothing blends the panel with what lies under it: the screen shows it plain yellow.
    ASSERT_TRUE(waitFor([&] { return rgbAt(screenshot(panel.rect), QPoint(20, 20)) == Yellow; }))
        << "the panel is not drawn opaque: is a compositor running?";
    savePng(screenshot(panel.rect), "opaque-panel");

    // The second snap is taken over the first one's picture, under the panel's border and labels.
    for (int count = 1; count <= 2; ++count) {
        EXPECT_EQ(snap(panel, count), m_underPanel)
            << "snap " << count << " is not the pattern under the panel";
        // The panel is back where it was, at its size, showing the snapshot inside its border.
        EXPECT_TRUE(waitFor([&] {
            const QImage shown = screenshot(panel.rect);
            return rgbAt(shown, QPoint(0, 0)) == Shadow &&
                   shown.pixel(20, 20) == m_underPanel.pixel(20, 20);
        })) << "snap "
            << count << ": the panel did not come back";
        EXPECT_EQ(windowRect(panel.id), panel.rect);
    }
}

} // namespace
} // namespace vantor::desk
