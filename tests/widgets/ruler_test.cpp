#include "widgettest.h"

#include "guides/frmGridDraw.h"
#include "rulers/frmPositionInfo.h"
#include "rulers/rulerpainter.h"
#include "rulers/rulerskin.h"

#include <QApplication>
#include <QInputDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace vantor;
using namespace vantor::test;

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

// The white run from `from` by step along row `at` of a vertical face or column `at` of a
// horizontal one.
int whiteRun(const QImage& image, bool vertical, int at, int from, int step) {
    int length = 0;
    for (QPoint p = vertical ? QPoint(from, at) : QPoint(at, from);
         image.valid(p) && image.pixel(p) == White;
         p += vertical ? QPoint(step, 0) : QPoint(0, step))
        ++length;
    return length;
}

// The length label: white text in a black box from the ruler's start, across its middle.
void expectLengthLabel(const QImage& face, bool vertical, const QString& label) {
    SCOPED_TRACE(label.toStdString());
    const QFontMetrics metrics(rulerFont(true));
    const int length = metrics.horizontalAdvance(label), thick = metrics.height();
    const int top =
        int(std::nearbyint((vertical ? face.width() : face.height()) / 2.0 - thick / 2.0 - 2));
    const auto at = [vertical](int along, int across) {
        return vertical ? QPoint(across, along) : QPoint(along, across);
    };
    for (QPoint inBox : {at(0, top), at(4, top + thick / 2), at(length + 10, top + thick + 2)})
        EXPECT_EQ(face.pixel(inBox), Black);
    EXPECT_NE(face.pixel(at(length + 11, top + 1)), Black);
    EXPECT_TRUE(anyWhite(face, QRect(at(8, top), at(7 + length, top + thick - 1))));
}

TEST(RulerLook, BuiltInSkinWithTicksOnBothEdgesNumbersRightOfThemAndTheLengthLabel) {
    frmRule& rule = newRule(QPoint(100, 100));
    QImage face = rule.face();
    // No skin folder lies beside the test program, so the built-in picture stands in.
    EXPECT_EQ(face.pixel(150, 22), builtInRulerSkin(QStringLiteral("h_back.gif")).pixel(0, 22));
    const QFontMetrics metrics(rulerFont(false));
    const int height = metrics.height();
    for (const int at : {100, 200, 300}) {
        const int width = metrics.horizontalAdvance(QString::number(at));
        EXPECT_TRUE(anyWhite(face, QRect(at + 4, 5, width, height))) << at;
        EXPECT_TRUE(anyWhite(face, QRect(at + 4, face.height() - (height + 8), width, height)));
        EXPECT_FALSE(anyWhite(face, QRect(at + 1, 11, 2, height))) << at;
    }
    // Nothing past the last whole hundred of a 355-pixel ruler.
    EXPECT_FALSE(anyWhite(face, QRect(305 + metrics.horizontalAdvance("300"), 11, 20, 12)));
    expectLengthLabel(face, false, "Lenght 355 px");

    rule.setLenght(600);
    face = rule.face();
    for (const auto& [x, top, bottom] :
         {std::tuple{102, 3, 5}, {110, 5, 7}, {200, 10, 12}, {578, 3, 5}}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(whiteRun(face, false, x, 1, 1), top);
        EXPECT_EQ(whiteRun(face, false, x, face.height() - 1, -1), bottom);
        EXPECT_NE(face.pixel(x + 1, 2), White);
        EXPECT_NE(face.pixel(x - 1, face.height() - 2), White);
    }
    // A short ruler shows only the number.
    rule.setLenght(57);
    expectLengthLabel(rule.face(), false, "57");
}

TEST(RulerLook, VerticalFaceHasTurnedTicksAndUpwardNumbersAndLabel) {
    frmRule& rule = newRule(QPoint(100, 100));
    rule.mPopupRotate_Click();
    const QImage face = rule.face();
    ASSERT_EQ(face.size(), QSize(rule.width(), 355));
    for (const auto& [y, run] : {std::pair{100, 11}, {110, 6}, {112, 4}}) {
        EXPECT_EQ(whiteRun(face, true, y, 0, 1), run) << y;
        EXPECT_EQ(whiteRun(face, true, y, face.width() - 1, -1), run) << y;
    }
    // The number of the tick at 100 starts 3 pixels below it and runs upward: taller than wide.
    const QFontMetrics metrics(rulerFont(false));
    const int width = metrics.horizontalAdvance(QStringLiteral("100")), height = metrics.height();
    EXPECT_FALSE(anyWhite(face, QRect(4, 101, height - 1, 1)));
    EXPECT_TRUE(anyWhite(face, QRect(4, 103, height - 1, width)));
    EXPECT_TRUE(anyWhite(face, QRect(4, 104 + height, height - 1, width - height - 1)));
    expectLengthLabel(face, true, "Lenght 355 px");
}

TEST(RulerLook, ScaledScreensGetOneDevicePixelTicks) {
    const RulerFace face{
        Align::Horizontal, QSize(300, 44), builtInRulerSkin("h_back.gif"), {}, "Lenght"};
    QImage canvas = makeRulerCanvas(face.size, 2.0);
    drawRuler(canvas, face, false);
    ASSERT_EQ(canvas.size(), QSize(600, 88));
    EXPECT_EQ(whiteRun(canvas, false, 400, 2, 1), 20);
    EXPECT_NE(canvas.pixel(401, 4), White);
    EXPECT_EQ(canvas.pixel(404, 2), White);
}

TEST(RulerLook, QuickRedrawAddsTheNewStretchWithoutClearing) {
    frmRule& rule = newRule(QPoint(100, 100));
    moveHeld(rule.resizeHandle(), QPoint(100 + 385, 120));
    ASSERT_EQ(rule.Lenght(), 385);
    const QImage face = rule.face();
    EXPECT_EQ(whiteRun(face, false, 100, 1, 1), 10);
    EXPECT_EQ(whiteRun(face, false, 370, 1, 1), 5);
    // The old end cap at 345..354 was not cleared away: ticks from 286 were redrawn over it.
    EXPECT_EQ(whiteRun(face, false, 350, 1, 1), 5);
}

TEST(RulerDrag, KeepsTheGrabPointUnderTheCursorMovesJoinedRulersHiddenOrNotAndShiftLocksEach) {
    frmRule& first = newRule(QPoint(100, 200));
    dragLeft(first, QPoint(150, 220), {QPoint(450, 620)});
    EXPECT_EQ(first.pos(), QPoint(400, 600));
    fakeDesktop().held.insert(VirtualKey::Shift);
    dragLeft(first, QPoint(450, 620), {QPoint(750, 920)});
    EXPECT_EQ(first.pos(), QPoint(400, 900));

    fakeDesktop().held.clear();
    appState().RulesJoined = true;
    frmRule& second = newRule(QPoint(600, 400));
    second.hide();
    dragLeft(first, QPoint(420, 910), {QPoint(520, 960)});
    EXPECT_EQ(second.pos(), QPoint(700, 450));
    fakeDesktop().held.insert(VirtualKey::Shift);
    dragLeft(first, QPoint(520, 960), {QPoint(620, 1060)});
    EXPECT_EQ(first.pos(), QPoint(500, 1050));
    EXPECT_EQ(second.pos(), QPoint(700, 550));
}

TEST(RulerKeys, ArrowsNudgeThisRulerAloneOrAllWhenJoinedButNotWhileDragging) {
    frmRule& rule = newRule(QPoint(100, 100));
    frmRule& other = newRule(QPoint(500, 500));
    other.hide();
    for (int code : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down})
        key(rule, code);
    EXPECT_EQ(rule.pos(), QPoint(98, 101));
    appState().RulesJoined = true;
    key(rule, Qt::Key_Right);
    EXPECT_EQ(other.pos(), QPoint(501, 500));
    press(rule, QPoint(110, 110));
    key(rule, Qt::Key_Up);
    EXPECT_EQ(rule.pos(), QPoint(99, 101));
}

TEST(RulerHandle, OnlyALeftDragSetsTheLengthAndHoveringOverItLeavesThePositionPanelAlone) {
    frmRule& rule = newRule(QPoint(100, 100));
    QWidget& handle = rule.resizeHandle();
    // The handle reaches the scale edges, yet hovering over it shows no panel.
    moveHeld(handle, QPoint(700, 110), Qt::LeftButton | Qt::RightButton);
    moveHeld(handle, QPoint(450, 102), Qt::NoButton);
    EXPECT_EQ(rule.Lenght(), 355);
    EXPECT_FALSE(IsFormLoaded(QStringLiteral("frmPositionInfo")));
    dragLeft(handle, QPoint(450, 110), {QPoint(700, 110)});
    EXPECT_EQ(rule.Lenght(), 600);
    EXPECT_EQ(rule.pos(), QPoint(100, 100));
}

TEST(RulerSnap, MovesAndTheFarEndSnapOntoGuidesOnlyWhileSnappingIsOn) {
    NewGridLine(Align::Vertical, 500);
    NewGridLine(Align::Vertical, 1000);
    frmRule& rule = newRule(QPoint(100, 300));
    // Left edge wanted at 512: within reach, it lands on the guide's red line at 499; the far
    // end pulled to 1010 ends on the other guide.
    dragLeft(rule, QPoint(110, 310), {QPoint(522, 610)});
    EXPECT_EQ(rule.pos(), QPoint(499, 600));
    moveHeld(rule.resizeHandle(), QPoint(1010, 610));
    EXPECT_EQ(rule.Lenght(), 501);
    appState().SnapToLineGrid = false;
    dragLeft(rule, QPoint(509, 610), {QPoint(522, 610)});
    EXPECT_EQ(rule.pos(), QPoint(512, 600));
    moveHeld(rule.resizeHandle(), QPoint(1010, 610));
    EXPECT_EQ(rule.Lenght(), 498);
}

TEST(RulerMenu, TurnsAboutTheTopLeftCornerAndALengthOrTurnKeepsTheRulerOnTheScreen) {
    frmRule& rule = newRule(QPoint(1500, 200));
    rule.mPopupRotate_Click();
    EXPECT_EQ(rule.geometry(), QRect(1500, 200, 44, 355));
    // Upright, the handle lengthens it downward.
    moveHeld(rule.resizeHandle(), QPoint(1510, 1000));
    EXPECT_EQ(rule.geometry(), QRect(1500, 200, 44, 800));
    rule.mPopupRotate_Click();
    EXPECT_EQ(rule.geometry(), QRect(1920 - 800, 200, 800, 44));
    rule.move(-540, 500);
    rule.setLenght(600);
    EXPECT_EQ(rule.pos(), QPoint(0, 500));
}

TEST(RulerMenu, ARightPressOpensItAndDeleteEndsOnlyThisRuler) {
    frmRule& rule = newRule(QPoint(100, 100));
    frmRule& other = newRule(QPoint(500, 100));
    EXPECT_EQ(pressForMenu(rule, Qt::RightButton).texts,
              QStringList({"Rotate", "Set lenght", "-", "Delete"}));
    EXPECT_FALSE(rule.isDragging());
    pressForMenu(rule, Qt::RightButton, "Delete");
    EXPECT_EQ(FormList::formsOf<frmRule>(), QList<frmRule*>{&other});
}

TEST(RulerMenu, SetLenghtAsksAboveTheToolsAndTakesOnlyAnAnswerTheRulesAllow) {
    frmRule& rule = newRule(QPoint(100, 100));
    // A null answer cancels the box; the answers' own rules are unit-tested.
    for (const auto& [answer, lenght] :
         {std::pair{QString("abc"), 355}, {QString(), 355}, {QString(" 3000 "), 3000}}) {
        whenModal([answer = answer](QDialog& dialog) {
            auto* box = qobject_cast<QInputDialog*>(&dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle() + ": " + box->labelText(),
                      "Set lenght: Insert new length for the rule");
            if (!answer.isNull()) {
                box->setTextValue(answer);
                box->accept();
            }
        });
        rule.mPopupSetLenght_Click();
        EXPECT_EQ(rule.Lenght(), lenght) << answer.toStdString();
    }
    EXPECT_EQ(rule.face().width(), 3000);
}

// Delete rules in the tray menu may end a ruler while its length box is open: the ruler goes,
// with its box, as soon as the box's own loop runs again.
TEST(RulerMenu, ARulerDeletedWhileItsLengthBoxIsOpenGoesWithItsBox) {
    frmRule& rule = newRule(QPoint(100, 100));
    const QPointer<frmRule> alive(&rule);
    QTimer::singleShot(0, &rule, [&rule] { rule.mpopupDelete_Click(); });
    QObject watch; // a box still open after a second is closed, and the test fails
    QTimer::singleShot(1000, &watch, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    rule.mPopupSetLenght_Click();
    EXPECT_TRUE(alive.isNull());
}

// A Ctrl press starts pulling a guide out of the ruler, shown by the preview line; a release
// with Ctrl still held leaves the guide there, one without calls it off. An ordinary drag ending
// with Ctrl leaves none.
TEST(RulerGuideDragOut, OnlyACtrlPressAndACtrlReleaseLeaveAGuideWhereThePreviewWas) {
    appState().SnapToLineGrid = false; // the guides left behind would catch the ordinary drag
    for (const auto& [turned, ctrlPress, ctrlRelease] :
         {std::tuple{false, true, true}, {true, true, false}, {false, false, true}}) {
        SCOPED_TRACE(testing::Message() << turned << ctrlPress << ctrlRelease);
        frmRule& rule = newRule(QPoint(100, 100));
        if (turned)
            rule.mPopupRotate_Click();
        const QSet<VirtualKey> ctrl = {VirtualKey::Control};
        fakeDesktop().held = ctrlPress ? ctrl : QSet<VirtualKey>();
        press(rule, QPoint(110, 110));
        EXPECT_EQ(rule.mousePositionTimer().isActive(), ctrlPress);
        fakeDesktop().cursor = QPoint(260, 400);
        rule.TimerMousePosition_Timer();
        const frmGridDraw* preview = frmGridDraw::loadedInstance();
        EXPECT_EQ(preview ? preview->geometry() : QRect(), !ctrlPress ? QRect()
                                                           : turned   ? QRect(260, 0, 1, 1080)
                                                                      : QRect(0, 400, 1920, 1));
        moveHeld(rule, QPoint(260, 400));
        fakeDesktop().held = ctrlRelease ? ctrl : QSet<VirtualKey>();
        release(rule, QPoint(260, 400));
        EXPECT_EQ(frmGridDraw::loadedInstance(), nullptr);
        EXPECT_FALSE(rule.mousePositionTimer().isActive());
        EXPECT_EQ(rule.pos(), ctrlPress ? QPoint(100, 100) : QPoint(250, 390));
        // Only the first row leaves a guide, and it stays.
        const QList<frmGridLine*> guides = FormList::formsOf<frmGridLine>();
        ASSERT_EQ(guides.size(), 1);
        EXPECT_EQ(guides[0]->geometry(), QRect(0, 390, 1920, 20));
        FormList::unload(&rule);
    }
}

// The hover timer runs while the pointer is over the ruler, scale edge or not, and stops once
// it has left: every tick is a look at the pointer, ten times a second for each ruler.
TEST(RulerHover, ScaleEdgesShowWhatTheRulerMeasuresAndLeavingClosesThePanelAndStopsTheTimer) {
    // A vertical ruler measures downwards and still shows its own left edge; the middle band
    // shows nothing.
    for (const auto& [align, at, distance] : {std::tuple{Align::Horizontal, QPoint(140, 203), 40},
                                              {Align::Horizontal, QPoint(140, 222), -1},
                                              {Align::Vertical, QPoint(142, 270), 70}}) {
        SCOPED_TRACE(at.y());
        frmRule& rule = newRule(QPoint(100, 200));
        if (align == Align::Vertical)
            rule.mPopupRotate_Click();
        moveHeld(rule, at, Qt::NoButton);
        EXPECT_TRUE(rule.testInfoTimer().isActive());
        frmPositionInfo* panel = frmPositionInfo::loadedInstance();
        ASSERT_EQ(panel != nullptr, distance >= 0);
        if (panel) {
            EXPECT_EQ(panel->text(), positionInfoText(distance, 100, at, 1));
            EXPECT_EQ(panel->pos(), at + QPoint(15, 15));
            // The left edge shown does not depend on the size the panel took before.
            moveHeld(rule, at + QPoint(1, 1), Qt::NoButton);
            EXPECT_EQ(panel->text(), positionInfoText(distance + 1, 100, at + QPoint(1, 1), 1));
        }
        fakeDesktop().cursor = QPoint(900, 900);
        rule.TimerTestInfo_Timer();
        EXPECT_EQ(frmPositionInfo::loadedInstance(), nullptr);
        EXPECT_FALSE(rule.testInfoTimer().isActive());
        FormList::unload(&rule);
    }
}

TEST(RulerHover, ThePanelLeavesTheActiveWindowActive) {
    frmRule& rule = newRule(QPoint(100, 200));
    QWidget other;
    other.setGeometry(600, 600, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    moveHeld(rule, QPoint(140, 203), Qt::NoButton);
    ASSERT_NE(frmPositionInfo::loadedInstance(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &other);
}

} // namespace
