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

struct SpanCase {
    int align;
    TickKind kind;
    TickSpan nearSpan;
    TickSpan farSpan; // for a thickness of 44
};

TEST(RulerScale, TickLengthsPerEdgeAndOrientation) {
    const SpanCase cases[] = {
        {AlignHorizontal, TickKind::Short, {1, 3}, {39, 43}},
        {AlignHorizontal, TickKind::Medium, {1, 5}, {37, 43}},
        {AlignHorizontal, TickKind::Long, {1, 10}, {32, 43}},
        {AlignVertical, TickKind::Short, {0, 3}, {40, 43}},
        {AlignVertical, TickKind::Medium, {0, 5}, {38, 43}},
        {AlignVertical, TickKind::Long, {0, 10}, {33, 43}},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align << " kind " << int(c.kind));
        const TickSpan nearSpan = nearEdgeTick(c.align, c.kind);
        const TickSpan farSpan = farEdgeTick(c.align, c.kind, 44);
        EXPECT_EQ(nearSpan.from, c.nearSpan.from);
        EXPECT_EQ(nearSpan.to, c.nearSpan.to);
        EXPECT_EQ(farSpan.from, c.farSpan.from);
        EXPECT_EQ(farSpan.to, c.farSpan.to);
    }
}

TEST(RulerScale, FullRedrawStartsAtZero) {
    EXPECT_EQ(firstTick(355, false), 0);
    EXPECT_EQ(firstTile(355, false), 0);
}

TEST(RulerScale, QuickRedrawCoversTheLastStretchOnEvenPixels) {
    EXPECT_EQ(firstTick(355, true), 256);
    EXPECT_EQ(firstTick(356, true), 256);
    EXPECT_EQ(firstTick(3000, true), 2900);
    EXPECT_EQ(firstTile(355, true), 305);
    EXPECT_EQ(firstTile(3000, true), 2950);
}

TEST(RulerScale, QuickRedrawOfAShortRulerNeverStartsBeforeItsStart) {
    EXPECT_EQ(firstTick(40, true), 0);
    EXPECT_EQ(firstTick(99, true), 0);
    EXPECT_EQ(firstTile(30, true), 0);
}

} // namespace
} // namespace vantor
