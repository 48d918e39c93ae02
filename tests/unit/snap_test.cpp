#include "snap/guideline.h"
#include "snap/movesnap.h"
#include "snap/resizesnap.h"
#include "snap/windowsnap.h"

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

TEST(MoveSnap, EachEdgeLandsOnTheRedLineWithinTwelvePixelsAndNotAtThirteen) {
    const QList<GuideLine> guides{vertical(900), horizontal(600)};
    // Wanted and landed places (x, y) of the lying ruler, 355 x 44: its left edge onto the
    // column left of the line from either side; its right edge's last column onto the line (at
    // 545); its top and bottom edges on the horizontal guide; the screen's top edge (a vertical
    // guide's reference) across the lines; and a tall screen that is not narrowed.
    const std::tuple<int, int, int, int> rows[] = {
        {888, 300, 899, 300},    {912, 300, 899, 300}, {887, 300, 887, 300}, {913, 300, 913, 300},
        {557, 300, 545, 300},    {533, 300, 545, 300}, {558, 300, 558, 300}, {300, 612, 300, 599},
        {300, 613, 300, 613},    {300, 544, 300, 556}, {300, 543, 300, 543}, {1000, 12, 1000, -1},
        {890, 40000, 899, 40000}};
    for (const auto& [x, y, landedX, landedY] : rows)
        EXPECT_EQ(snapMove(QPoint(x, y), HorizontalRule, guides), QPoint(landedX, landedY))
            << x << "," << y;
    EXPECT_EQ(snapMove(QPoint(300, 600 - 355 + 5), QSize(44, 355), guides), QPoint(300, 600 - 355));
    EXPECT_FALSE(snapMove(QPoint(300, 300), HorizontalRule, {})) << "no guide: a free move";
}

// The left edge is in reach of 500 and 510, the right edge of 865.
TEST(MoveSnap, TheLastGuideInReachWinsWhicheverEdgeItCatches) {
    for (const auto& [first, last, landedX] :
         {std::tuple{500, 510, 509}, {510, 500, 499}, {500, 865, 510}, {865, 500, 499}})
        EXPECT_EQ(snapMove(QPoint(505, 300), HorizontalRule, {vertical(first), vertical(last)}),
                  QPoint(landedX, 300))
            << first << " then " << last;
}

TEST(RuleEndSnap, AGuideAcrossTheRulerEndsItOnItsLineNeverShorterThanTheMinimum) {
    const QPoint topLeft(300, 200);
    const std::tuple<Align, QPoint, QList<GuideLine>, std::optional<int>> rows[] = {
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
        // Places beyond 16 bits are kept.
        {Align::Vertical, {320, 40005}, {horizontal(40000)}, 39800}};
    for (const auto& [align, cursor, guides, lenght] : rows)
        EXPECT_EQ(snapRuleEnd(align, topLeft, cursor, guides), lenght)
            << cursor.x() << "," << cursor.y();
}

TEST(PanelBorderSnap, TheDraggedBorderEndsOnTheGuideNeverUnderTwentyPixels) {
    const QRect panel(100, 100, 200, 100);
    const std::tuple<QPoint, QList<GuideLine>, std::optional<QSize>> rows[] = {
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
        {{125, 250}, {vertical(130), vertical(115)}, QSize(30, 100)}};
    for (const auto& [cursor, guides, size] : rows)
        EXPECT_EQ(snapPanelBorder(panel, cursor, guides), size) << cursor.x() << "," << cursor.y();
}

// Another program's window whose frame is 300 wide, 200 high, beside a vertical guide whose line
// coordinate is 400 (red line on column 399): its left edge within 12 pixels either side, or its
// top edge within 12 of the screen's top row (the guide's reference), lands there; a window
// already on the line is not moved again.
TEST(WindowSnap, LeftAndTopEdgesLandOnTheGuideWithinTwelvePixelsRightAndBottomKept) {
    const auto snapped = [](QPoint topLeft, const QList<GuideLine>& guides) {
        return snapWindowTopLeft(QRect(topLeft, QSize(300, 200)), guides);
    };
    // Where the window is and where it lands: the same place when no move is asked for.
    const std::tuple<int, int, int, int> rows[] = {
        {390, 100, 400, 100}, {412, 100, 400, 100}, {388, 100, 400, 100}, {413, 100, 413, 100},
        {387, 100, 387, 100}, {400, 100, 400, 100}, {600, 12, 600, 0},    {600, 13, 600, 13}};
    for (const auto& [x, y, landedX, landedY] : rows) {
        const QPoint at(x, y), landed(landedX, landedY);
        EXPECT_EQ(snapped(at, {vertical(400)}), at == landed ? std::nullopt : std::optional(landed))
            << x << "," << y;
    }
    EXPECT_EQ(snapped({395, 295}, {vertical(400), horizontal(300)}), QPoint(400, 300));
    EXPECT_EQ(snapped({395, 295}, {}), std::nullopt);
}

} // namespace
} // namespace vantor
