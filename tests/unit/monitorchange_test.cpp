#include "core/monitorchange.h"

#include <gtest/gtest.h>

using namespace vantor;

namespace {
// What is left after a change: the primary monitor, a larger one left of it and reaching above
// it, a small one below the primary's right half; the box that holds them is (-2560, -360) to
// (2239, 1799).
const QList<QRect> Desk = {QRect(0, 0, 1920, 1080), QRect(-2560, -360, 2560, 1440),
                           QRect(960, 1080, 1280, 720)};
} // namespace

TEST(MonitorChange, AWindowLessThanHalfOnTheMonitorsMovesWhollyOntoTheNearestOne) {
    const std::pair<QRect, QPoint> rows[] = {
        {{100, 100, 355, 44}, {0, 0}},          {{1700, 500, 355, 44}, {0, 0}},
        {{-200, 0, 400, 400}, {0, 0}},          {{1900, 500, 355, 44}, {-335, 0}},
        {{-3000, 200, 355, 44}, {440, 0}},      {{100, 1200, 473, 277}, {0, -397}},
        {{2500, 1900, 128, 128}, {-388, -228}}, {{5000, 0, 3000, 44}, {-4040, 1080}}};
    for (const auto& [window, move] : rows)
        EXPECT_EQ(moveIntoReach(window, Desk), move) << window.x() << ',' << window.y();
    EXPECT_EQ(moveIntoReach(QRect(5000, 0, 10, 10), {}), QPoint());
}

TEST(MonitorChange, AGuideSpansTheNewBoxAndALineNoMonitorShowsMovesOntoTheNearest) {
    const std::tuple<Align, QRect, int, QRect> rows[] = {
        {Align::Vertical, {990, 0, 20, 1080}, 999, {990, -360, 20, 2160}},
        {Align::Vertical, {2990, 0, 20, 1080}, 2999, {2230, -360, 20, 2160}},
        {Align::Vertical, {-2600, 0, 20, 1080}, -2591, {-2569, -360, 20, 2160}},
        {Align::Horizontal, {0, 490, 1920, 20}, 499, {-2560, 490, 4800, 20}},
        {Align::Horizontal, {0, 1990, 1920, 20}, 1999, {-2560, 1790, 4800, 20}}};
    for (const auto& [align, strip, line, after] : rows)
        EXPECT_EQ(guideStripAfterChange(align, strip, line, Desk), after) << line;
    const QRect strip(2990, 0, 20, 1080);
    EXPECT_EQ(guideStripAfterChange(Align::Vertical, strip, 2999, {}), strip);
}
