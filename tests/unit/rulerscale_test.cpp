#include "rulers/rulerscale.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(RulerScale, KindFollowsPosition) {
    EXPECT_EQ(tickKindAt(0), TickKind::Long);
    EXPECT_EQ(tickKindAt(300), TickKind::Long);
    EXPECT_EQ(tickKindAt(10), TickKind::Medium);
    EXPECT_EQ(tickKindAt(290), TickKind::Medium);
    EXPECT_EQ(tickKindAt(2), TickKind::Short);
    EXPECT_EQ(tickKindAt(354), TickKind::Short);
}

TEST(RulerScale, FullRedrawStartsAtZeroAndQuickOnlyCoversTheLastStretchOnEvenPixels) {
    struct Case {
        int lenght;
        bool quick;
        int tick;
        int tile;
    };
    // A short ruler's quick redraw never starts before the ruler does.
    const Case cases[] = {{355, false, 0, 0},       {355, true, 256, 305}, {356, true, 256, 306},
                          {3000, true, 2900, 2950}, {99, true, 0, 49},     {40, true, 0, 0},
                          {30, true, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(firstTick(c.lenght, c.quick), c.tick) << c.lenght << " " << c.quick;
        EXPECT_EQ(firstTile(c.lenght, c.quick), c.tile) << c.lenght << " " << c.quick;
    }
}

} // namespace
} // namespace vantor
