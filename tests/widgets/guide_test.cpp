#include "widgettest.h"

#include "guides/gridskin.h"
#include "guides/guidelines.h"

using namespace vantor;
using namespace vantor::test;

namespace {

// The strip shows the handle picture at handleAt and the red line through each point of line,
// with the key colour on either side (across). Key-coloured pixels are left out of the window's
// shape, so a click on them reaches the window below.
void expectStrip(frmGridLine& guide, QPoint handleAt, const QList<QPoint>& line, QPoint across) {
    const QImage image = rendered(guide);
    const QImage handle = builtInGridPicture(guide.Align());
    EXPECT_EQ(image.copy(QRect(handleAt, handle.size())), handle);
    const QRegion shape = guide.mask();
    EXPECT_TRUE(shape.contains(handleAt + QPoint(handle.width(), handle.height()) / 2));
    for (QPoint at : line) {
        EXPECT_EQ(image.pixel(at), GuideLineColor) << at.x() << "," << at.y();
        EXPECT_TRUE(shape.contains(at));
        for (QPoint beside : {at - across, at + across}) {
            EXPECT_EQ(image.pixel(beside), GuideKeyColor);
            EXPECT_FALSE(shape.contains(beside));
        }
    }
}

} // namespace

TEST(Guide, StripSpansTheScreenAndOnlyItsRedLineAndHandleShowAndTakeClicks) {
    frmGridLine& vertical = newGuide(Align::Vertical, 300);
    EXPECT_TRUE(vertical.isVisible());
    EXPECT_EQ(vertical.geometry(), QRect(290, 0, 20, 1080));
    const QSize v = builtInGridPicture(Align::Vertical).size();
    expectStrip(vertical, {10 - v.width() / 2, 2}, {{9, 0}, {9, 1079}}, {1, 0});

    frmGridLine& horizontal = newGuide(Align::Horizontal, 200);
    EXPECT_EQ(horizontal.geometry(), QRect(0, 190, 1920, 20));
    const int handleLeft = 1918 - builtInGridPicture(Align::Horizontal).width();
    const int handleTop = 10 - builtInGridPicture(Align::Horizontal).height() / 2;
    expectStrip(horizontal, {handleLeft, handleTop}, {{0, 9}, {handleLeft - 1, 9}}, {0, 1});
}

TEST(Guide, WithoutAPositionEachGuideTakesTheNextDefaultPlaceAndSnappingSeesEveryGuideInOrder) {
    EXPECT_EQ(newGuide(Align::Vertical).x(), 960 - 10);
    newGuide(Align::Horizontal).hide();
    // Two guides of either orientation before it: the third place along.
    EXPECT_EQ(newGuide(Align::Vertical).x(), 960 + 2 * 24 - 10);
    // A position is kept, also left of the primary monitor, where another may lie.
    EXPECT_EQ(newGuide(Align::Vertical, 0).x(), -10);
    EXPECT_EQ(newGuide(Align::Vertical, -300).x(), -310);
    // Load order, hidden guides included.
    QList<std::pair<Align, int>> lines;
    for (const GuideLine& line : loadedGuideLines())
        lines.append({line.align, line.coordinate});
    EXPECT_EQ(lines, (QList<std::pair<Align, int>>{{Align::Vertical, 960},
                                                   {Align::Horizontal, 540 + 24},
                                                   {Align::Vertical, 1008},
                                                   {Align::Vertical, 0},
                                                   {Align::Vertical, -300}}));
}

// A left drag puts the strip's centre on the cursor, without bound, and moves only that guide.
TEST(Guide, LeftDragsMoveItAndARightPressOpensTheMenuWhoseLockStopsThemAndDeleteEndsIt) {
    frmGridLine& vertical = newGuide(Align::Vertical, 300);
    frmGridLine& other = newGuide(Align::Vertical, 500);
    frmGridLine& horizontal = newGuide(Align::Horizontal, 200);
    dragLeft(vertical, QPoint(305, 400), {QPoint(420, 10)});
    EXPECT_EQ(vertical.pos(), QPoint(410, 0));
    EXPECT_EQ(other.x(), 490);
    dragLeft(horizontal, QPoint(50, 203), {QPoint(700, 333)});
    EXPECT_EQ(horizontal.pos(), QPoint(0, 323));
    dragLeft(vertical, QPoint(415, 400), {QPoint(-100, 400)});
    EXPECT_EQ(vertical.x(), -110);

    // Another button held as well, or a held move after a press of another button, moves nothing.
    press(vertical, QPoint(-100, 400));
    moveHeld(vertical, QPoint(350, 400), Qt::LeftButton | Qt::RightButton);
    pressForMenu(vertical, Qt::RightButton);
    moveHeld(vertical, QPoint(360, 400));
    EXPECT_EQ(vertical.x(), -110);

    EXPECT_EQ(pressForMenu(other, Qt::RightButton).texts, QStringList({"Lock", "Delete"}));

    EXPECT_TRUE(pressForMenu(other, Qt::RightButton, "Lock").checked.isEmpty());
    dragLeft(other, QPoint(300, 400), {QPoint(600, 400)});
    EXPECT_EQ(other.x(), 490);
    EXPECT_EQ(pressForMenu(other, Qt::RightButton, "Lock").checked, QStringList{"Lock"});
    dragLeft(other, QPoint(300, 400), {QPoint(600, 400)});
    EXPECT_EQ(other.x(), 590);

    pressForMenu(other, Qt::RightButton, "Delete");
    EXPECT_EQ(FormList::formsOf<frmGridLine>(), QList<frmGridLine*>({&vertical, &horizontal}));
}
