#include "guides/framecapture.h"

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

QImage run(ScriptedScreen& screen, const QImage& before, ScreenSettleLimits limits) {
    return waitForScreenChange([&] { return screen.grab(); }, before, [&] { ++screen.pumps; },
                               limits);
}

} // namespace

TEST(FrameScreenSettle, ReturnsTheFirstCopyThatTwoGrabsInARowAgreeOn) {
    const QImage panel = filled(0xFF8080FF);
    ScriptedScreen screen{{panel, panel, filled(0xFF000080), filled(0xFF0000FF), filled(0xFF0000FF),
                           filled(0xFFFFFFFF)}};
    EXPECT_EQ(run(screen, panel, {1s, 1s}), filled(0xFF0000FF));
    EXPECT_EQ(screen.grabs, 5);
    // The window system gets a turn before every copy.
    EXPECT_EQ(screen.pumps, screen.grabs);
}

TEST(FrameScreenSettle, AnUnchangingScreenGivesBackTheFirstCopyOnceTheWaitIsOver) {
    const QImage plain = filled(0xFF00FF00);
    ScriptedScreen screen{{plain}};
    EXPECT_EQ(run(screen, plain, {0ms, 1s}), plain);
    EXPECT_EQ(screen.grabs, 1);
}

TEST(FrameScreenSettle, AScreenThatNeverSettlesGivesItsLatestCopyWhenTheTimeIsUp) {
    QList<QImage> copies = {filled(0xFF000000)};
    for (int i = 1; i < 400; ++i)
        copies.append(filled(0xFF000000 + QRgb(i)));
    ScriptedScreen screen{copies};
    const QImage result = run(screen, filled(0xFF000000), {1s, 0ms});
    EXPECT_EQ(screen.grabs, 3);
    EXPECT_EQ(result, filled(0xFF000002));
}
