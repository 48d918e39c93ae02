#include "snap/guideline.h"
#include "snap/movesnap.h"
#include "snap/resizesnap.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

// Guides as a shown guide strip lies: 20 pixels thick, spanning the screen from 0.
GuideLine vertical(int column) {
    return guideLineFor(Align::Vertical, QRect(column - 10, 0, 20, 1080));
}
GuideLine horizontal(int row) {
    return guideLineFor(Align::Horizontal, QRect(0, row - 10, 1920, 20));
}

const QSize HorizontalRule(355, 44);

TEST(GuideLine, CoordinateIsTheMiddleOfTheStripAndTheOtherReferenceIsTheWindowEdge) {
    const GuideLine v = vertical(300);
    EXPECT_EQ(v.coordinate, 300);
    EXPECT_EQ(QPoint(v.referenceX, v.referenceY), QPoint(300, 0));
    const GuideLine h = horizontal(200);
    EXPECT_EQ(QPoint(h.referenceX, h.referenceY), QPoint(0, 200));
    // Positions off the screen and beyond 16 bits are kept.
    EXPECT_EQ(vertical(-30).coordinate, -30);
    EXPECT_EQ(horizontal(40000).referenceY, 40000);
}

TEST(MoveSnap, EachEdgeLandsOnTheRedLineWithinTwelvePixelsAndNotAtThirteen) {
    const QList<GuideLine> guides{vertical(900), horizontal(600)};
    struct Row {
        QSize size;
        QPoint wanted;
        QPoint landed;
    };
    const Row rows[] = {
        // The left edge onto the column left of the line, from either side.
        {HorizontalRule, {888, 300}, {899, 300}},
        {HorizontalRule, {912, 300}, {899, 300}},
        {HorizontalRule, {887, 300}, {887, 300}},
        {HorizontalRule, {913, 300}, {913, 300}},
        // The right edge: the last column lands on the line.
        {HorizontalRule, {900 - 355 + 12, 300}, {900 - 355, 300}},
        {HorizontalRule, {900 - 355 - 12, 300}, {900 - 355, 300}},
        {HorizontalRule, {900 - 355 + 13, 300}, {900 - 355 + 13, 300}},
        // Top and bottom edges on a horizontal guide.
        {HorizontalRule, {300, 612}, {300, 599}},
        {HorizontalRule, {300, 613}, {300, 613}},
        {HorizontalRule, {300, 600 - 44 - 12}, {300, 600 - 44}},
        {HorizontalRule, {300, 600 - 44 - 13}, {300, 600 - 44 - 13}},
        {QSize(44, 355), {300, 600 - 355 + 5}, {300, 600 - 355}},
        // Guides pull windows onto the screen edge across them: the reference's other coordinate.
        {HorizontalRule, {1000, 12}, {1000, -1}},
        // Large screens are not narrowed.
        {HorizontalRule, {3490 - 2600, 40000}, {899, 40000}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(snapMove(row.wanted, row.size, guides), row.landed)
            << row.size.width() << " wide at " << row.wanted.x() << "," << row.wanted.y();
    EXPECT_FALSE(snapMove(QPoint(300, 300), HorizontalRule, {})) << "no guide: a free move";
}

TEST(MoveSnap, TheLastGuideInReachWinsWhicheverEdgeItCatches) {
    EXPECT_EQ(snapMove(QPoint(505, 300), HorizontalRule, {vertical(500), vertical(510)}),
              QPoint(509, 300));
    EXPECT_EQ(snapMove(QPoint(505, 300), HorizontalRule, {vertical(510), vertical(500)}),
              QPoint(499, 300));
    // The left edge in reach of 500 and the right edge in reach of 865.
    EXPECT_EQ(snapMove(QPoint(505, 300), HorizontalRule, {vertical(500), vertical(865)}),
              QPoint(510, 300));
    EXPECT_EQ(snapMove(QPoint(505, 300), HorizontalRule, {vertical(865), vertical(500)}),
              QPoint(499, 300));
}

TEST(RuleEndSnap, AGuideAcrossTheRulerEndsItOnItsLineNeverShorterThanTheMinimum) {
    const QPoint topLeft(300, 200);
    struct Row {
        Align align;
        QPoint cursor;
        QList<GuideLine> guides;
        std::optional<int> lenght;
    };
    const Row rows[] = {
        {Align::Horizontal, {688, 220}, {vertical(700)}, 400},
        {Align::Horizontal, {712, 220}, {vertical(700)}, 400},
        {Align::Horizontal, {713, 220}, {vertical(700)}, {}},
        {Align::Horizontal, {687, 220}, {vertical(700)}, {}},
        {Align::Vertical, {320, 905}, {horizontal(900)}, 700},
        // Guides along the ruler have no effect.
        {Align::Horizontal, {700, 600}, {horizontal(600)}, {}},
        {Align::Vertical, {700, 600}, {vertical(700)}, {}},
        {Align::Horizontal, {702, 220}, {vertical(700), vertical(705)}, 405},
        // A guide at or behind the start would leave 10 pixels or less.
        {Align::Horizontal, {300, 220}, {vertical(305)}, {}},
        {Align::Horizontal, {300, 220}, {vertical(290)}, {}},
        {Align::Horizontal, {310, 220}, {vertical(310)}, 10},
    };
    for (const Row& row : rows)
        EXPECT_EQ(snapRuleEnd(row.align, topLeft, row.cursor, row.guides), row.lenght)
            << row.cursor.x() << "," << row.cursor.y();
}

TEST(PanelBorderSnap, TheDraggedBorderEndsOnTheGuideNeverUnderTwentyPixels) {
    const QRect panel(100, 100, 200, 100);
    struct Row {
        QPoint cursor;
        QList<GuideLine> guides;
        std::optional<QSize> size;
    };
    const Row rows[] = {
        {{512, 250}, {vertical(500), horizontal(400)}, QSize(400, 100)},
        {{488, 250}, {vertical(500), horizontal(400)}, QSize(400, 100)},
        {{513, 250}, {vertical(500), horizontal(400)}, {}},
        {{350, 412}, {vertical(500), horizontal(400)}, QSize(200, 300)},
        {{350, 413}, {vertical(500), horizontal(400)}, {}},
        {{495, 405}, {vertical(500), horizontal(400)}, QSize(400, 300)},
        {{495, 405}, {}, {}},
        // The last guide in reach wins; one out of reach after it changes nothing.
        {{505, 250}, {vertical(500), vertical(510)}, QSize(410, 100)},
        {{505, 250}, {vertical(510), vertical(500)}, QSize(400, 100)},
        {{505, 250}, {vertical(500), vertical(900)}, QSize(400, 100)},
        // The screen's left edge, a horizontal guide's reference, lies left of the panel.
        {{5, 250}, {horizontal(600)}, {}},
        {{115, 250}, {vertical(119)}, {}},
        {{115, 250}, {vertical(120)}, QSize(20, 100)},
        // A guide too near does not hide a usable one before it.
        {{125, 250}, {vertical(130), vertical(115)}, QSize(30, 100)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(snapPanelBorder(panel, row.cursor, row.guides), row.size)
            << row.cursor.x() << "," << row.cursor.y();
}

} // namespace
} // namespace vantor
