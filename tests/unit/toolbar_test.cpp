#include "toolbar/toolbaranimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vantor {
namespace {

constexpr int Height = 57;

// The top after each tick until the animation stops, with the opacity the tick applied.
using Ticks = std::vector<std::pair<int, std::optional<int>>>;
Ticks run(ToolbarAnimation& animation) {
    Ticks ticks;
    while ((animation.opening() || animation.closing()) && ticks.size() < 1000) {
        const std::optional<int> opacity = animation.tick();
        ticks.emplace_back(animation.top(), opacity);
    }
    return ticks;
}

TEST(ToolbarAnimation, OpeningOvershootsAndEndsAtZeroWithOpacity200AndClosingFadesFrom140) {
    ToolbarAnimation animation(Height);
    EXPECT_EQ(animation.top(), -58);
    EXPECT_EQ(animation.open(), 1);
    const Ticks opening = run(animation);
    EXPECT_EQ(std::max_element(opening.begin(), opening.end())->first, 5) << "overshoots";
    EXPECT_EQ(opening.back(), Ticks::value_type(0, 200));
    EXPECT_TRUE(animation.isOpen());
    animation.close();
    const Ticks closing = run(animation);
    EXPECT_EQ(closing.front().second, 140);
    EXPECT_EQ(closing.back(), Ticks::value_type(-58, std::nullopt));
    EXPECT_FALSE(animation.isOpen());
}

TEST(ToolbarAnimation, AnOpeningRestartsFromTheParkedPlaceAndEachStopsTheOther) {
    ToolbarAnimation animation(Height);
    animation.open();
    for (int i = 0; i < 10; ++i)
        animation.tick();
    EXPECT_EQ(animation.top(), -28);
    animation.open();
    EXPECT_EQ(animation.top(), -58);
    animation.close();
    EXPECT_FALSE(animation.opening());
    animation.open();
    EXPECT_FALSE(animation.closing());
    // Closing a parked toolbar costs one tick and leaves it parked.
    ToolbarAnimation parked(Height);
    parked.close();
    EXPECT_EQ(run(parked), Ticks({{-58, std::nullopt}}));
}

TEST(ToolbarHotZone, OpensOnTheTopRowsStrictlyInsideAndStaysAboveTheLowerEdge) {
    const QRect parked(787, -58, 346, 57);
    const QRect open(787, 0, 346, 57);
    const std::tuple<bool, int, int, bool> rows[] = {
        {false, 900, 4, true},  {false, 900, 5, false},  {false, 900, -3, true},
        {false, 787, 0, false}, {false, 1133, 0, false}, {false, 788, 0, true},
        {false, 1132, 0, true}, {true, 900, 57, true},   {true, 900, 58, false},
        {true, 787, 30, true},  {true, 1133, 30, true},  {true, 786, 30, false},
        {true, 1134, 30, false}};
    for (const auto& [isOpen, x, y, inside] : rows)
        EXPECT_EQ(inHotZone(isOpen ? open : parked, isOpen, QPoint(x, y)), inside)
            << isOpen << " at " << x << "," << y;
    // The pixels watched for the parked toolbar are its zone's on the monitor.
    const QRect monitor(0, 0, 1920, 1080);
    const QRect zone = parkedHotZoneOn(monitor, parked.size());
    for (int y = -1; y <= 6; ++y)
        for (const int x : {786, 787, 788, 900, 1132, 1133, 1134})
            EXPECT_EQ(zone.contains(x, y),
                      monitor.contains(x, y) && inHotZone(parked, false, QPoint(x, y)))
                << x << "," << y;
}

// The primary output's own monitor spans the whole root window, a smaller monitor declared
// inside it at its right; then the mirror layout, the primary on the right.
TEST(ToolbarHotZone, WaitsOnTheMonitorWhoseParkedZoneHoldsThePointer) {
    const QSize toolbar(346, 57);
    const QList<QRect> overlapping = {{0, 0, 3200, 1080}, {1920, 0, 1280, 1024}};
    const QList<QRect> mirror = {{2560, 0, 1920, 1080}, {0, 0, 2560, 1440}};
    const std::tuple<const QList<QRect>&, int, int, int> rows[] = {
        {overlapping, 2560, 0, 1}, {overlapping, 1600, 0, 0}, {overlapping, 2560, 600, 0},
        {overlapping, 2560, 4, 1}, {overlapping, 2560, 5, 0}, {mirror, 1280, 0, 1},
        {mirror, 3520, 4, 0},      {mirror, 100, 1300, 1},    {mirror, 3520, 1300, 0}};
    for (const auto& [monitors, x, y, index] : rows)
        EXPECT_EQ(toolbarMonitorAt(monitors, toolbar, QPoint(x, y)), index) << x << "," << y;
}

} // namespace
} // namespace vantor
