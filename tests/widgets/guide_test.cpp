#include "widgettest.h"

#include "core/formlist.h"
#include "core/texts.h"
#include "guides/frmGridDraw.h"
#include "guides/frmGridLine.h"
#include "guides/gridskin.h"
#include "guides/guidelines.h"
#include "guides/newgridline.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

QRect screenRect() {
    return QGuiApplication::primaryScreen()->geometry();
}

frmGridLine* lastGuide() {
    const QList<QWidget*> guides = FormList::formsOfType({QStringLiteral("frmgridline")});
    return guides.isEmpty() ? nullptr : qobject_cast<frmGridLine*>(guides.last());
}

frmGridLine* newGuide(Align align, int position) {
    NewGridLine(align, position);
    return lastGuide();
}

class Guide : public ::testing::Test {
protected:
    ScopedEnv env{{"LC_ALL", "en_US.UTF-8"}};
};

} // namespace

TEST_F(Guide, VerticalStripSpansTheScreenWithItsRedLineOnColumnNine) {
    frmGridLine* guide = newGuide(Align::Vertical, 300);
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->geometry(), QRect(290, screenRect().top(), 20, screenRect().height()));
    EXPECT_EQ(guideLineFor(Align::Vertical, guide->geometry()).coordinate, 300);

    const QImage image = rendered(*guide);
    const QImage handle = builtInGridPicture(Align::Vertical);
    const int belowHandle = 2 + handle.height();
    for (int y : {0, 1, belowHandle, guide->height() / 2, guide->height() - 1}) {
        EXPECT_EQ(image.pixel(9, y), GuideLineColor) << y;
        EXPECT_EQ(image.pixel(8, y), GuideKeyColor) << y;
        EXPECT_EQ(image.pixel(10, y), GuideKeyColor) << y;
    }
    // The handle is centred across the strip, two pixels below its top.
    const int handleLeft = 10 - handle.width() / 2;
    EXPECT_EQ(image.copy(handleLeft, 2, handle.width(), handle.height()), handle);
}

TEST_F(Guide, HorizontalStripHasItsRedLineOnRowNineAndItsHandleAtTheRightEnd) {
    frmGridLine* guide = newGuide(Align::Horizontal, 200);
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->geometry(), QRect(screenRect().left(), 190, screenRect().width(), 20));

    const QImage image = rendered(*guide);
    const QImage handle = builtInGridPicture(Align::Horizontal);
    const int handleLeft = guide->width() - (handle.width() + 2);
    for (int x : {0, 1, guide->width() / 2, handleLeft - 1}) {
        EXPECT_EQ(image.pixel(x, 9), GuideLineColor) << x;
        EXPECT_EQ(image.pixel(x, 8), GuideKeyColor) << x;
        EXPECT_EQ(image.pixel(x, 10), GuideKeyColor) << x;
    }
    EXPECT_EQ(image.copy(handleLeft, 10 - handle.height() / 2, handle.width(), handle.height()),
              handle);
}

TEST_F(Guide, KeyColouredPixelsAreOutsideTheMaskSoClicksPassThrough) {
    for (Align align : {Align::Vertical, Align::Horizontal}) {
        frmGridLine* guide = newGuide(align, 250);
        ASSERT_NE(guide, nullptr);
        const QImage image = rendered(*guide);
        const QRegion mask = guide->mask();
        ASSERT_FALSE(mask.isEmpty());
        for (int y = 0; y < image.height(); y += (align == Align::Vertical ? 7 : 1))
            for (int x = 0; x < image.width(); x += (align == Align::Horizontal ? 7 : 1))
                ASSERT_EQ(mask.contains(QPoint(x, y)), image.pixel(x, y) != GuideKeyColor)
                    << int(align) << " at " << x << "," << y;
        unloadAllForms();
    }
}

TEST_F(Guide, WithoutAPositionGuidesGoMidScreenAndDoNotHideEachOther) {
    frmGridLine* first = newGuide(Align::Vertical, -1);
    frmGridLine* second = newGuide(Align::Horizontal, -1);
    frmGridLine* third = newGuide(Align::Vertical, -1);
    ASSERT_TRUE(first && second && third);
    const QRect screen = screenRect();
    EXPECT_EQ(guideLineFor(Align::Vertical, first->geometry()).coordinate,
              screen.left() + screen.width() / 2);
    EXPECT_EQ(second->geometry().left(), screen.left());
    EXPECT_EQ(second->width(), screen.width());
    EXPECT_NE(third->x(), first->x());
    EXPECT_EQ(third->y(), screen.top());
}

TEST_F(Guide, PositionZeroPutsTheRedLineJustOffTheScreen) {
    EXPECT_EQ(newGuide(Align::Vertical, 0)->x(), -10);
}

TEST_F(Guide, DraggingPutsTheStripCentreOnTheCursorAndMovesOnlyThatGuide) {
    frmGridLine* vertical = newGuide(Align::Vertical, 300);
    frmGridLine* other = newGuide(Align::Vertical, 500);
    frmGridLine* horizontal = newGuide(Align::Horizontal, 200);
    ASSERT_TRUE(vertical && other && horizontal);

    dragLeft(*vertical, QPoint(305, 400), {QPoint(420, 10)});
    EXPECT_EQ(vertical->pos(), QPoint(410, screenRect().top()));
    EXPECT_EQ(other->x(), 490);

    dragLeft(*horizontal, QPoint(50, 203), {QPoint(700, 333)});
    EXPECT_EQ(horizontal->pos(), QPoint(screenRect().left(), 323));

    // No bound: a guide follows the cursor off the screen.
    dragLeft(*vertical, QPoint(415, 400), {QPoint(-100, 400)});
    EXPECT_EQ(vertical->x(), -110);
}

TEST_F(Guide, MovesOnlyWithTheLeftButtonAloneAfterALeftPress) {
    frmGridLine* guide = newGuide(Align::Vertical, 300);
    ASSERT_NE(guide, nullptr);
    press(*guide, QPoint(300, 400));
    moveHeld(*guide, QPoint(350, 400), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(guide->x(), 290);
    release(*guide, QPoint(350, 400));

    // A move with the button held but no left press on the guide first does nothing.
    pressForMenu(*guide, Qt::RightButton);
    moveHeld(*guide, QPoint(360, 400));
    EXPECT_EQ(guide->x(), 290);
}

TEST_F(Guide, RightAndMiddlePressesOpenTheMenuInEnglishAndItalian) {
    frmGridLine* guide = newGuide(Align::Horizontal, 200);
    ASSERT_NE(guide, nullptr);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        const MenuSeen seen = pressForMenu(*guide, button);
        EXPECT_EQ(seen.texts, QStringList({"Lock", "Delete"})) << button;
        EXPECT_TRUE(seen.checked.isEmpty());
    }
    EXPECT_FALSE(pressForMenu(*guide, Qt::LeftButton).opened);
    release(*guide, guide->geometry().center());
    unloadAllForms();

    env.set("LC_ALL", "it_IT.UTF-8");
    guide = newGuide(Align::Vertical, 300);
    ASSERT_NE(guide, nullptr);
    // Before the menu first opens, its last item still carries its load-time caption.
    const QList<QAction*> items = guide->popupMenu().actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Blocca");
    EXPECT_EQ(items[1]->text(), "Sposta");
    EXPECT_FALSE(items[1]->isVisible());
    EXPECT_EQ(items[2]->text(), "Chiudi");

    EXPECT_EQ(pressForMenu(*guide, Qt::RightButton).texts, QStringList({"Blocca", "Elimina"}));
}

TEST_F(Guide, LockStopsDraggingAndShowsACheckMarkUntilUnlocked) {
    frmGridLine* guide = newGuide(Align::Vertical, 300);
    ASSERT_NE(guide, nullptr);
    pressForMenu(*guide, Qt::RightButton, QStringLiteral("Lock"));
    EXPECT_TRUE(guide->isLocked());
    dragLeft(*guide, QPoint(300, 400), {QPoint(600, 400)});
    EXPECT_EQ(guide->x(), 290);

    const MenuSeen seen = pressForMenu(*guide, Qt::RightButton, QStringLiteral("Lock"));
    EXPECT_EQ(seen.checked, QStringList{"Lock"});
    EXPECT_FALSE(guide->isLocked());
    dragLeft(*guide, QPoint(300, 400), {QPoint(600, 400)});
    EXPECT_EQ(guide->x(), 590);
}

TEST_F(Guide, DeleteUnloadsOnlyThatGuide) {
    frmGridLine* doomed = newGuide(Align::Vertical, 300);
    frmGridLine* kept = newGuide(Align::Horizontal, 300);
    ASSERT_TRUE(doomed && kept);
    pressForMenu(*doomed, Qt::RightButton, QStringLiteral("Delete"));
    const QList<QWidget*> left = FormList::formsOfType({QStringLiteral("frmgridline")});
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first(), kept);
}

TEST_F(Guide, LoadedGuideLinesFollowLoadOrderAndIncludeHiddenGuides) {
    newGuide(Align::Vertical, 300);
    frmGridLine* hidden = newGuide(Align::Horizontal, 120);
    newGuide(Align::Vertical, 40);
    hidden->hide();
    const QList<GuideLine> lines = loadedGuideLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].align, Align::Vertical);
    EXPECT_EQ(lines[0].coordinate, 300);
    EXPECT_EQ(lines[1].align, Align::Horizontal);
    EXPECT_EQ(lines[1].coordinate, 120);
    EXPECT_EQ(lines[1].referenceX, screenRect().left());
    EXPECT_EQ(lines[2].coordinate, 40);
}

TEST_F(Guide, PreviewIsAOnePixelTranslucentLineThatFollowsTheCursor) {
    EXPECT_EQ(frmGridDraw::loadedInstance(), nullptr);
    frmGridDraw& vertical = frmGridDraw::instance();
    EXPECT_TRUE(IsFormLoaded(QStringLiteral("frmGridDraw")));
    EXPECT_FALSE(vertical.isVisible());
    EXPECT_NEAR(vertical.windowOpacity(), 100 / 255.0, 0.01);
    EXPECT_TRUE(vertical.windowFlags() & Qt::WindowDoesNotAcceptFocus);

    vertical.ShowPreview(Align::Vertical);
    vertical.MovePreview(Align::Vertical, QPoint(333, 444));
    EXPECT_TRUE(vertical.isVisible());
    EXPECT_EQ(vertical.geometry(), QRect(333, screenRect().top(), 1, screenRect().height()));
    EXPECT_EQ(vertical.grab().toImage().pixel(0, 10), qRgb(0, 0, 0));

    frmGridDraw::unloadInstance();
    EXPECT_EQ(frmGridDraw::loadedInstance(), nullptr);
    EXPECT_FALSE(IsFormLoaded(QStringLiteral("frmGridDraw")));
    frmGridDraw::unloadInstance();

    frmGridDraw& horizontal = frmGridDraw::instance();
    EXPECT_NE(&horizontal, &vertical);
    horizontal.ShowPreview(Align::Horizontal);
    horizontal.MovePreview(Align::Horizontal, QPoint(333, 444));
    EXPECT_EQ(horizontal.geometry(), QRect(screenRect().left(), 444, screenRect().width(), 1));
}
