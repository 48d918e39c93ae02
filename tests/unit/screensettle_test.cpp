#include "capture/screensettle.h"

#include <QList>

#include <gtest/gtest.h>

using namespace vantor;
using namespace std::chrono_literals;

namespace {

QImage filled(QRgb colour) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A screen that shows the given copies one after the other, then the last one for ever.
struct ScriptedScreen {
    QList<QImage> copies;
    int grabs = 0;
    int pumps = 0;
    QImage grab() {
        const QImage copy = copies[std::min<int>(grabs, int(copies.size()) - 1)];
        ++grabs;
        return copy;
    }
};

std::optional<QImage> run(ScriptedScreen& screen, const QImage& before, ScreenSettleLimits limits,
                          bool compositor = false) {
    return waitForScreenChange([&] { return screen.grab(); }, before, [&] { ++screen.pumps; },
                               compositor, limits);
}

} // namespace

TEST(FrameScreenSettle, ReturnsTheFirstCopyThatTwoGrabsInARowAgreeOn) {
    const QImage panel = filled(0xFF8080FF);
    ScriptedScreen screen{{panel, panel, filled(0xFF000080), filled(0xFF0000FF), filled(0xFF0000FF),
                           filled(0xFFFFFFFF)}};
    EXPECT_EQ(run(screen, panel, {1s, 1s, 1s}), filled(0xFF0000FF));
    EXPECT_EQ(screen.grabs, 5);
    // The window system gets a turn before every copy.
    EXPECT_EQ(screen.pumps, screen.grabs);
}

TEST(FrameScreenSettle, AnUnchangingScreenNeverShowedTheWindowWithoutACompositor) {
    const QImage plain = filled(0xFF00FF00);
    ScriptedScreen screen{{plain}};
    EXPECT_EQ(run(screen, plain, {0ms, 1s, 1s}), plain);
    EXPECT_EQ(screen.grabs, 1);
}

// A compositor takes the window off only when it next draws, late on a busy machine: the wait
// goes on past the first-change time, and a screen that still shows the window gives no copy.
TEST(FrameScreenSettle, UnderACompositorTheWaitOutlastsALateDrawAndNeverGivesTheWindow) {
    const QImage panel = filled(0xFF8080FF);
    QList<QImage> late(60, panel);
    late.append(filled(0xFF0000FF));
    ScriptedScreen slow{late};
    EXPECT_EQ(run(slow, panel, {0ms, 10s, 1s}, true), filled(0xFF0000FF));
    ScriptedScreen stuck{{panel}};
    EXPECT_EQ(run(stuck, panel, {0ms, 20ms, 1s}, true), std::nullopt);
}

TEST(FrameScreenSettle, AScreenThatNeverSettlesGivesItsLatestCopyWhenTheTimeIsUp) {
    QList<QImage> copies = {filled(0xFF000000)};
    for (int i = 1; i < 400; ++i)
        copies.append(filled(0xFF000000 + QRgb(i)));
    ScriptedScreen screen{copies};
    const std::optional<QImage> result = run(screen, filled(0xFF000000), {1s, 1s, 0ms});
    EXPECT_EQ(screen.grabs, 3);
    EXPECT_EQ(result, filled(0xFF000002));
}
