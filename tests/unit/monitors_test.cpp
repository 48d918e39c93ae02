#include "core/monitorchange.h"
#include "core/monitors.h"
#include "platform/devicepixels.h"

#include <gtest/gtest.h>

using namespace vantor;

namespace {
// The primary monitor first, a larger one left of it and reaching above it, a small one below
// the primary's right half: negative coordinates and areas that no monitor covers. The box that
// holds them is (-2560, -360) to (2239, 1799).
const QList<QRect> Desk = {QRect(0, 0, 1920, 1080), QRect(-2560, -360, 2560, 1440),
                           QRect(960, 1080, 1280, 720)};
} // namespace

TEST(Monitors, PointsLieOnTheMonitorThatHoldsThemOrOnNone) {
    const std::pair<QPoint, int> rows[] = {{{0, 0}, 0},       {{-1, 0}, 1},     {{-2560, -360}, 1},
                                           {{1919, 1079}, 0}, {{1920, 0}, -1},  {{960, 1080}, 2},
                                           {{959, 1080}, -1}, {{-1, 1080}, -1}, {{2239, 1799}, 2}};
    for (const auto& [point, monitor] : rows)
        EXPECT_EQ(monitorAt(Desk, point), monitor) << point.x() << ',' << point.y();
    EXPECT_EQ(monitorAt({}, QPoint()), -1);
}

TEST(Monitors, TheNearestMonitorIsTheOneOverlappedMostElseTheClosest) {
    const std::pair<QRect, int> rows[] = {
        {{-100, 0, 150, 10}, 1},   {{-50, 0, 150, 10}, 0},    {{900, 1000, 200, 200}, 2},
        {{3000, 100, 50, 50}, 0},  {{-4000, 0, 50, 50}, 1},   {{100, 1500, 50, 50}, 0},
        {{1000, 1900, 50, 50}, 2}, {{-100, 1500, 50, 50}, 1}, {{-10, -10, 20, 20}, 1}};
    for (const auto& [rect, monitor] : rows)
        EXPECT_EQ(nearestMonitor(Desk, rect), monitor) << rect.x() << ',' << rect.y();
    EXPECT_EQ(nearestMonitor({}, QRect(0, 0, 1, 1)), -1);
}

TEST(Monitors, TheSmallestMoveBringsARectangleOrAGuidesLineOntoTheMonitor) {
    const QRect monitor(-2560, -360, 2560, 1440);
    const std::pair<QRect, QPoint> rects[] = {
        {{-100, 0, 50, 50}, {0, 0}},        {{-30, 0, 50, 50}, {-20, 0}},
        {{-3000, -400, 50, 50}, {440, 40}}, {{-100, 1070, 50, 50}, {0, -40}},
        {{0, 0, 3000, 50}, {-2560, 0}},     {{-2000, -1000, 100, 2000}, {0, 640}}};
    for (const auto& [rect, move] : rects)
        EXPECT_EQ(moveOnto(rect, monitor), move) << rect.x() << ',' << rect.y();
    const std::tuple<Align, int, int> lines[] = {
        {Align::Vertical, -2560, 0},   {Align::Vertical, 0, -1},
        {Align::Vertical, -2561, 1},   {Align::Horizontal, 1079, 0},
        {Align::Horizontal, 1080, -1}, {Align::Horizontal, -500, 140}};
    for (const auto& [align, coordinate, move] : lines)
        EXPECT_EQ(moveLineOnto(align, coordinate, monitor), move) << coordinate;
}

TEST(Monitors, LengthsNameTheirDevicePixelsOnlyWhereTheyDiffer) {
    const std::tuple<int, qreal, QString> rows[] = {
        {355, 1.0, "355 px"},  {355, 2.0, "355 px (710)"}, {355, 1.5, "355 px (532)"},
        {3, 1.25, "3 px (4)"}, {0, 2.0, "0 px (0)"},       {1920, 1.25, "1920 px (2400)"}};
    for (const auto& [logical, ratio, text] : rows)
        EXPECT_EQ(pixelLengthText(logical, ratio), text) << ratio;
}

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

// A 1920 × 1080 screen at 150 % (2880 × 1620 device pixels) with one at 125 % to its right,
// where Qt puts it: at the device pixel where the first one ends.
TEST(DevicePixels, EachScreenScalesFromItsOwnCorner) {
    const QList<ScreenScale> screens = {{QRect(0, 0, 1920, 1080), 1.5},
                                        {QRect(2880, 0, 1536, 864), 1.25}};
    // The last point lies off every screen: it goes by the first.
    const std::pair<QPoint, QPoint> rows[] = {
        {{0, 0}, {0, 0}},       {{101, 33}, {152, 50}},     {{1919, 1079}, {2879, 1619}},
        {{2880, 0}, {2880, 0}}, {{2980, 100}, {3005, 125}}, {{-10, -10}, {-15, -15}}};
    for (const auto& [logical, device] : rows) {
        EXPECT_EQ(toDevicePixels(logical, screens), device) << logical.x();
        EXPECT_EQ(toLogicalPixels(device, screens), logical) << device.x();
    }
    EXPECT_EQ(toDevicePixels(QRect(10, 20, 101, 3), screens), QRect(15, 30, 152, 5));
    EXPECT_EQ(toLogicalPixels(QRect(15, 30, 152, 5), screens), QRect(10, 20, 101, 3));
    EXPECT_EQ(toDevicePixels(QRect(5, 5, 7, 7), {}), QRect(5, 5, 7, 7));
}
