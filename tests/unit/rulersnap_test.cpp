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

TEST(RuleMoveSnap, EachEdgeSnapsOntoTheRedLineWithinTwelvePixelsAndNotAtThirteen) {
    const QList<GuideLine> guides{verticalGuide(900), horizontalGuide(600)};
    const QSize verticalRule(44, 355);
    struct Case {
        QSize size;
        QPoint wanted;
        QPoint landed;
    };
    const Case cases[] = {
        // Left edge onto the column left of the line, from either side.
        {HorizontalRule, {888, 300}, {899, 300}},
        {HorizontalRule, {895, 300}, {899, 300}},
        {HorizontalRule, {912, 300}, {899, 300}},
        {HorizontalRule, {887, 300}, {887, 300}},
        {HorizontalRule, {913, 300}, {913, 300}},
        // Right edge: the last column lands on the line.
        {HorizontalRule, {900 - 355 + 12, 300}, {900 - 355, 300}},
        {HorizontalRule, {900 - 355 - 12, 300}, {900 - 355, 300}},
        {HorizontalRule, {900 - 355 + 13, 300}, {900 - 355 + 13, 300}},
        // Top and bottom edges on a horizontal guide.
        {HorizontalRule, {300, 612}, {300, 599}},
        {HorizontalRule, {300, 613}, {300, 613}},
        {HorizontalRule, {300, 600 - 44 - 12}, {300, 600 - 44}},
        {HorizontalRule, {300, 600 - 44 - 13}, {300, 600 - 44 - 13}},
        {verticalRule, {300, 600 - 355 + 5}, {300, 600 - 355}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(snapRuleMove(c.wanted, c.size, guides), c.landed)
            << c.size.width() << " wide at " << c.wanted.x() << "," << c.wanted.y();
}

TEST(RuleMoveSnap, TheLastGuideInReachWinsWhicheverEdgeItCatches) {
    const QList<GuideLine> guides{verticalGuide(500), verticalGuide(510)};
    EXPECT_EQ(snapRuleMove(QPoint(505, 300), HorizontalRule, guides), QPoint(509, 300));
    const QList<GuideLine> reversed{verticalGuide(510), verticalGuide(500)};
    EXPECT_EQ(snapRuleMove(QPoint(505, 300), HorizontalRule, reversed), QPoint(499, 300));
    // The left edge in reach of 500 and the right edge in reach of 865.
    EXPECT_EQ(
        snapRuleMove(QPoint(505, 300), HorizontalRule, {verticalGuide(500), verticalGuide(865)}),
        QPoint(510, 300));
    EXPECT_EQ(
        snapRuleMove(QPoint(505, 300), HorizontalRule, {verticalGuide(865), verticalGuide(500)}),
        QPoint(499, 300));
}

TEST(RuleMoveSnap, GuidesAlsoPullRulersOntoTheScreenEdgeAcrossThem) {
    // A vertical guide's reference row is the screen's top, a horizontal one's column its left.
    EXPECT_EQ(snapRuleMove(QPoint(1000, 12), HorizontalRule, {verticalGuide(500)}),
              QPoint(1000, -1));
    EXPECT_EQ(snapRuleMove(QPoint(-12, 300), HorizontalRule, {horizontalGuide(800)}),
              QPoint(-1, 300));
}

TEST(RuleMoveSnap, LargeScreenPositionsAreNotNarrowed) {
    EXPECT_EQ(snapRuleMove(QPoint(3490, 40000), HorizontalRule, {verticalGuide(3500)}),
              QPoint(3499, 40000));
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
