#include "widgettest.h"

#include "core/appstate.h"
#include "core/formlist.h"
#include "guides/frmGridDraw.h"
#include "guides/newgridline.h"
#include "rulers/frmPositionInfo.h"
#include "rulers/frmRule.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

frmRule& newRule(QPoint topLeft) {
    auto* rule = new frmRule; // released by the form list when the test unloads it
    rule->move(topLeft);
    rule->show();
    return *rule;
}

void drag(frmRule& rule, QPoint from, QPoint to) {
    dragLeft(rule, from, {to});
}

void key(QWidget& target, int code) {
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

void hold(VirtualKey k) {
    fakeDesktop().held.insert(k);
}

TEST(RulerDrag, KeepsTheGrabPointUnderTheCursor) {
    frmRule& rule = newRule(QPoint(100, 200));
    drag(rule, QPoint(150, 220), QPoint(450, 620));
    EXPECT_EQ(rule.pos(), QPoint(400, 600));
    EXPECT_FALSE(rule.isDragging());
}

TEST(RulerDrag, ShiftLocksTheMoveAcrossTheRuler) {
    hold(VirtualKey::Shift);
    frmRule& horizontal = newRule(QPoint(100, 200));
    drag(horizontal, QPoint(150, 220), QPoint(450, 620));
    EXPECT_EQ(horizontal.pos(), QPoint(100, 600));
    frmRule& vertical = newRule(QPoint(1000, 100));
    vertical.mPopupRotate_Click();
    drag(vertical, QPoint(1010, 150), QPoint(1210, 450));
    EXPECT_EQ(vertical.pos(), QPoint(1200, 100));
}

TEST(RulerDrag, FarAwayPositionsOnLargeScreensAreExact) {
    frmRule& rule = newRule(QPoint(3000, 2000));
    drag(rule, QPoint(3010, 2010), QPoint(3500, 2100));
    EXPECT_EQ(rule.pos(), QPoint(3490, 2090));
    EXPECT_EQ(rule.RulePositionX(), 10);
}

TEST(RulerDrag, SnapsOntoAGuideWithinTwelvePixelsWhileSnappingIsOn) {
    NewGridLine(Align::Vertical, 500);
    frmRule& rule = newRule(QPoint(100, 300));
    // Left edge wanted at 512: within reach, it lands on the guide's red line at 499.
    drag(rule, QPoint(110, 310), QPoint(522, 610));
    EXPECT_EQ(rule.x(), 499);
    drag(rule, QPoint(509, 610), QPoint(523, 610));
    EXPECT_EQ(rule.x(), 513);
    appState().SnapToLineGrid = false;
    drag(rule, QPoint(513, 610), QPoint(505, 610));
    EXPECT_EQ(rule.pos(), QPoint(505, 600));
}

TEST(RulerDrag, JoinedRulersAllFollowHiddenOnesToo) {
    appState().RulesJoined = true;
    frmRule& first = newRule(QPoint(100, 100));
    frmRule& second = newRule(QPoint(600, 400));
    second.hide();
    drag(first, QPoint(120, 110), QPoint(220, 160));
    EXPECT_EQ(first.pos(), QPoint(200, 150));
    EXPECT_EQ(second.pos(), QPoint(700, 450));

    hold(VirtualKey::Shift);
    drag(first, QPoint(220, 160), QPoint(320, 260));
    EXPECT_EQ(first.pos(), QPoint(200, 250));
    EXPECT_EQ(second.pos(), QPoint(700, 550));
}

TEST(RulerKeys, ArrowsNudgeOnePixelThisRulerAloneOrAllWhenJoinedButNotWhileDragging) {
    frmRule& rule = newRule(QPoint(100, 100));
    frmRule& other = newRule(QPoint(500, 500));
    other.hide();
    for (int code :
         {Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
        key(rule, code);
    EXPECT_EQ(rule.pos(), QPoint(99, 101));
    EXPECT_EQ(other.pos(), QPoint(500, 500));

    appState().RulesJoined = true;
    key(rule, Qt::Key_Up);
    EXPECT_EQ(rule.pos(), QPoint(99, 100));
    EXPECT_EQ(other.pos(), QPoint(500, 499));

    press(rule, QPoint(110, 110));
    key(rule, Qt::Key_Up);
    EXPECT_EQ(rule.pos(), QPoint(99, 100));
    release(rule, QPoint(110, 110));
}

TEST(RulerHandle, FollowsTheCursorButNeverBelowTenPixels) {
    frmRule& rule = newRule(QPoint(100, 100));
    QWidget& handle = rule.resizeHandle();
    press(handle, QPoint(450, 110));
    for (const auto& [x, lenght] :
         {std::pair{700, 600}, {111, 11}, {110, 10}, {105, 10}, {50, 10}}) {
        moveHeld(handle, QPoint(x, 110));
        EXPECT_EQ(rule.Lenght(), lenght) << x;
    }
    release(handle, QPoint(50, 110));
    EXPECT_EQ(rule.pos(), QPoint(100, 100));
    EXPECT_FALSE(rule.isDragging());
}

TEST(RulerHandle, OnlyTheLeftButtonAloneResizes) {
    frmRule& rule = newRule(QPoint(100, 100));
    moveHeld(rule.resizeHandle(), QPoint(700, 110), Qt::LeftButton | Qt::RightButton);
    moveHeld(rule.resizeHandle(), QPoint(700, 110), Qt::NoButton);
    EXPECT_EQ(rule.Lenght(), 355);
    EXPECT_FALSE(IsFormLoaded(QStringLiteral("frmPositionInfo")));
}

TEST(RulerHandle, SnapsTheFarEndOntoAGuideAcrossIt) {
    NewGridLine(Align::Vertical, 800);
    NewGridLine(Align::Horizontal, 300);
    frmRule& rule = newRule(QPoint(100, 100));
    moveHeld(rule.resizeHandle(), QPoint(810, 300));
    EXPECT_EQ(rule.Lenght(), 700);
    moveHeld(rule.resizeHandle(), QPoint(813, 300));
    EXPECT_EQ(rule.Lenght(), 713);
}

TEST(RulerHandle, VerticalRulerGrowsDownward) {
    frmRule& rule = newRule(QPoint(100, 100));
    rule.mPopupRotate_Click();
    moveHeld(rule.resizeHandle(), QPoint(110, 900));
    EXPECT_EQ(rule.size().height(), 800);
    EXPECT_EQ(rule.resizeHandle().geometry(), QRect(0, 790, rule.width(), 10));
}

TEST(RulerMenu, RotateTurnsAboutTheTopLeftCorner) {
    frmRule& rule = newRule(QPoint(300, 200));
    const int thickness = rule.height();
    rule.mPopupRotate_Click();
    EXPECT_EQ(rule.RuleAlign(), Align::Vertical);
    EXPECT_EQ(rule.geometry(), QRect(300, 200, thickness, 355));
    EXPECT_EQ(rule.Lenght(), 355);
    rule.mPopupRotate_Click();
    EXPECT_EQ(rule.geometry(), QRect(300, 200, 355, thickness));
}

TEST(RulerMenu, RightOrMiddlePressOpensTheMenu) {
    frmRule& rule = newRule(QPoint(100, 100));
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        EXPECT_EQ(pressForMenu(rule, button).texts,
                  QStringList({"Rotate", "Set lenght", "-", "Delete"}));
        EXPECT_FALSE(rule.isDragging());
    }
}

TEST(RulerMenu, SetLenghtTakesWholeNumbersAboveTenAndIgnoresEverythingElse) {
    frmRule& rule = newRule(QPoint(100, 100));
    // A null answer cancels the box; the answers' own rules are unit-tested.
    const QList<std::pair<QString, int>> answers = {
        {"10", 355}, {"abc", 355}, {"40000", 355}, {QString(), 355}, {"11", 11}, {" 3000 ", 3000}};
    for (const auto& [answer, lenght] : answers) {
        whenModal([answer](QDialog& dialog) {
            auto* box = qobject_cast<QInputDialog*>(&dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Set lenght"));
            EXPECT_EQ(box->labelText(), QStringLiteral("Insert new length for the rule"));
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

TEST(RulerMenu, LengthAndTurnKeepTheRulerOnTheScreen) {
    frmRule& rule = newRule(QPoint(-540, 500));
    rule.setLenght(600);
    EXPECT_EQ(rule.pos(), QPoint(0, 500));
    rule.move(1500, 900);
    rule.mPopupRotate_Click();
    EXPECT_EQ(rule.geometry(), QRect(1500, 1080 - 600, 44, 600));
}

TEST(RulerMenu, DeleteUnloadsOnlyThisRuler) {
    frmRule& rule = newRule(QPoint(100, 100));
    newRule(QPoint(500, 100));
    rule.mpopupDelete_Click();
    EXPECT_EQ(FormList::formsOfType({QStringLiteral("frmrule")}).size(), 1);
}

TEST(RulerGuideDragOut, CtrlReleaseCreatesAGuideAtTheCursor) {
    hold(VirtualKey::Control);
    frmRule& rule = newRule(QPoint(100, 100));
    press(rule, QPoint(200, 120));
    EXPECT_TRUE(rule.isDraggingGuide());
    EXPECT_TRUE(rule.mousePositionTimer().isActive());
    fakeDesktop().cursor = QPoint(260, 400);
    rule.TimerMousePosition_Timer();
    ASSERT_NE(frmGridDraw::loadedInstance(), nullptr);
    EXPECT_EQ(frmGridDraw::loadedInstance()->geometry().top(), 400);
    EXPECT_EQ(frmGridDraw::loadedInstance()->height(), 1);
    release(rule, QPoint(260, 400));
    EXPECT_EQ(frmGridDraw::loadedInstance(), nullptr);
    EXPECT_FALSE(rule.mousePositionTimer().isActive());
    const QList<QWidget*> guides = FormList::formsOfType({QStringLiteral("frmgridline")});
    ASSERT_EQ(guides.size(), 1);
    EXPECT_EQ(guides.first()->y() + guides.first()->height() / 2, 400);
    EXPECT_EQ(rule.pos(), QPoint(100, 100));
}

TEST(RulerGuideDragOut, ReleaseWithoutCtrlCancelsIt) {
    hold(VirtualKey::Control);
    frmRule& rule = newRule(QPoint(100, 100));
    rule.mPopupRotate_Click();
    press(rule, QPoint(110, 200));
    rule.TimerMousePosition_Timer();
    ASSERT_NE(frmGridDraw::loadedInstance(), nullptr);
    EXPECT_EQ(frmGridDraw::loadedInstance()->width(), 1);
    fakeDesktop().held.clear();
    release(rule, QPoint(300, 200));
    EXPECT_EQ(frmGridDraw::loadedInstance(), nullptr);
    EXPECT_FALSE(rule.mousePositionTimer().isActive());
    EXPECT_FALSE(rule.isDraggingGuide());
    EXPECT_FALSE(IsFormLoaded(QStringLiteral("frmGridLine")));
}

TEST(RulerGuideDragOut, AnOrdinaryDragEndingWithCtrlMakesNoGuide) {
    frmRule& rule = newRule(QPoint(100, 100));
    press(rule, QPoint(110, 110));
    moveHeld(rule, QPoint(210, 210));
    hold(VirtualKey::Control);
    release(rule, QPoint(210, 210));
    EXPECT_FALSE(IsFormLoaded(QStringLiteral("frmGridLine")));
    EXPECT_EQ(rule.pos(), QPoint(200, 200));
}

// The hover timer runs while the pointer is over the ruler, scale edge or not, and stops once
// it has left: every tick is a look at the pointer, ten times a second for each ruler.
TEST(RulerHover, ScaleEdgeShowsThePanelAndLeavingClosesItAndStopsTheTimer) {
    for (const QPoint at : {QPoint(140, 103), QPoint(140, 122)}) {
        frmRule& rule = newRule(QPoint(100, 100));
        moveHeld(rule, at, Qt::NoButton);
        EXPECT_EQ(frmPositionInfo::loadedInstance() != nullptr, at.y() == 103);
        EXPECT_TRUE(rule.testInfoTimer().isActive());
        fakeDesktop().cursor = QPoint(900, 900);
        rule.TimerTestInfo_Timer();
        EXPECT_EQ(frmPositionInfo::loadedInstance(), nullptr);
        EXPECT_FALSE(rule.testInfoTimer().isActive()) << "hovered at " << at.y();
        FormList::unload(&rule);
    }
}

} // namespace
