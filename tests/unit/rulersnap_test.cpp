#include "rulers/rulersnap.h"

#include "rulers/rulerscale.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// Guides as a shown guide strip lies: 20 pixels thick, spanning the screen from 0.
GuideLine verticalGuide(int column) {
    return guideLineFor(AlignVertical, QRect(column - 10, 0, 20, 1080));
}
GuideLine horizontalGuide(int row) {
    return guideLineFor(AlignHorizontal, QRect(0, row - 10, 1920, 20));
}

const QSize HorizontalRule(355, 44);

TEST(RuleMoveSnap, NoGuideMeansTheCallerMovesFreely) {
    EXPECT_FALSE(snapRuleMove(QPoint(300, 300), HorizontalRule, {}));
}

TEST(RuleMoveSnap, LeftEdgeSnapsWithinTwelvePixelsInclusive) {
    const QList<GuideLine> guides{verticalGuide(500)};
    for (const int left : {488, 495, 500, 512})
        EXPECT_EQ(snapRuleMove(QPoint(left, 300), HorizontalRule, guides), QPoint(499, 300))
            << left;
    for (const int left : {487, 513})
        EXPECT_EQ(snapRuleMove(QPoint(left, 300), HorizontalRule, guides), QPoint(left, 300))
            << left;
}

TEST(RuleMoveSnap, RightEdgePutsTheLastColumnOnTheRedLine) {
    const QList<GuideLine> guides{verticalGuide(900)};
    // Right edge (left + width) within reach of 900: the last column lands on 899.
    const auto snapped = snapRuleMove(QPoint(900 - 355 + 12, 300), HorizontalRule, guides);
    ASSERT_TRUE(snapped);
    EXPECT_EQ(snapped->x() + HorizontalRule.width() - 1, 899);
    EXPECT_EQ(snapRuleMove(QPoint(900 - 355 + 13, 300), HorizontalRule, guides),
              QPoint(900 - 355 + 13, 300));
}

TEST(RuleMoveSnap, HorizontalGuidesSnapTopAndBottomEdges) {
    const QList<GuideLine> guides{horizontalGuide(600)};
    EXPECT_EQ(snapRuleMove(QPoint(300, 612), HorizontalRule, guides), QPoint(300, 599));
    EXPECT_EQ(snapRuleMove(QPoint(300, 613), HorizontalRule, guides), QPoint(300, 613));
    EXPECT_EQ(snapRuleMove(QPoint(300, 600 - 44 - 12), HorizontalRule, guides),
              QPoint(300, 600 - 44));
    const QSize verticalRule(44, 355);
    EXPECT_EQ(snapRuleMove(QPoint(300, 600 - 355 + 5), verticalRule, guides),
              QPoint(300, 600 - 355));
}

TEST(RuleMoveSnap, TheLastGuideInReachWins) {
    const QList<GuideLine> guides{verticalGuide(500), verticalGuide(510)};
    EXPECT_EQ(snapRuleMove(QPoint(505, 300), HorizontalRule, guides), QPoint(509, 300));
    const QList<GuideLine> reversed{verticalGuide(510), verticalGuide(500)};
    EXPECT_EQ(snapRuleMove(QPoint(505, 300), HorizontalRule, reversed), QPoint(499, 300));
}

TEST(RuleMoveSnap, GuidesAlsoPullRulersOntoTheScreenEdgeAcrossThem) {
    // A vertical guide's reference row is the screen's top, a horizontal one's column its left.
    EXPECT_EQ(snapRuleMove(QPoint(1000, 12), HorizontalRule, {verticalGuide(500)}),
              QPoint(1000, -1));
    EXPECT_EQ(snapRuleMove(QPoint(-12, 300), HorizontalRule, {horizontalGuide(800)}),
              QPoint(-1, 300));
}

TEST(RuleMoveSnap, LargeScreenPositionsAreNotNarrowed) {
    const QList<GuideLine> guides{verticalGuide(3500)};
    EXPECT_EQ(snapRuleMove(QPoint(3490, 2000), HorizontalRule, guides), QPoint(3499, 2000));
}

TEST(RuleEndSnap, AVerticalGuideEndsAHorizontalRulerOnItsLine) {
    const QList<GuideLine> guides{verticalGuide(700)};
    const QPoint topLeft(300, 200);
    EXPECT_EQ(snapRuleEnd(AlignHorizontal, topLeft, QPoint(688, 220), guides), 400);
    EXPECT_EQ(snapRuleEnd(AlignHorizontal, topLeft, QPoint(712, 220), guides), 400);
    EXPECT_FALSE(snapRuleEnd(AlignHorizontal, topLeft, QPoint(713, 220), guides));
    EXPECT_FALSE(snapRuleEnd(AlignHorizontal, topLeft, QPoint(687, 220), guides));
}

TEST(RuleEndSnap, AHorizontalGuideEndsAVerticalRuler) {
    const QList<GuideLine> guides{horizontalGuide(900)};
    EXPECT_EQ(snapRuleEnd(AlignVertical, QPoint(300, 200), QPoint(320, 905), guides), 700);
}

TEST(RuleEndSnap, GuidesAlongTheRulerHaveNoEffect) {
    EXPECT_FALSE(
        snapRuleEnd(AlignHorizontal, QPoint(300, 200), QPoint(700, 600), {horizontalGuide(600)}));
    EXPECT_FALSE(
        snapRuleEnd(AlignVertical, QPoint(300, 200), QPoint(700, 600), {verticalGuide(700)}));
}

TEST(RuleEndSnap, LastGuideInReachWins) {
    const QList<GuideLine> guides{verticalGuide(700), verticalGuide(705)};
    EXPECT_EQ(snapRuleEnd(AlignHorizontal, QPoint(300, 200), QPoint(702, 220), guides), 405);
}

TEST(RuleEndSnap, NeverShorterThanTheMinimum) {
    const QPoint topLeft(300, 200);
    // A guide just behind or at the ruler's start would leave a length of 10 or less.
    EXPECT_FALSE(snapRuleEnd(AlignHorizontal, topLeft, QPoint(300, 220), {verticalGuide(305)}));
    EXPECT_FALSE(snapRuleEnd(AlignHorizontal, topLeft, QPoint(300, 220), {verticalGuide(290)}));
    EXPECT_EQ(snapRuleEnd(AlignHorizontal, topLeft, QPoint(310, 220), {verticalGuide(310)}), 10);
}

} // namespace
} // namespace vantor
