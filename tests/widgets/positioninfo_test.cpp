#include "widgettest.h"

#include "core/formlist.h"
#include "rulers/frmPositionInfo.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

using namespace vantor;

namespace {

// Stands in for a ruler: a frameless top-level window of the given geometry.
std::unique_ptr<QWidget> ruler(const QRect& geometry) {
    auto widget = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::Tool);
    widget->setGeometry(geometry);
    widget->show();
    return widget;
}

QStringList panelLines() {
    frmPositionInfo* panel = frmPositionInfo::loadedInstance();
    return panel ? panel->text().split('\n', Qt::SkipEmptyParts) : QStringList();
}

void hover(QWidget& rule, Align align, QPoint cursor) {
    UpdatePositionInfo(rule, align, rule.mapFromGlobal(cursor), cursor);
}

} // namespace

TEST(PositionPanel, ShowsDistanceLeftEdgeAndCursorForBothOrientationsUnnarrowed) {
    struct Case {
        QRect ruler;
        Align align;
        QPoint cursor;
        QStringList lines;
    };
    const Case cases[] = {
        {{100, 200, 400, 44},
         Align::Horizontal,
         {140, 203},
         {" lunghezza: 40", " posizione: 100", " cursore x: 140", " cursore y: 203"}},
        // A vertical ruler measures downwards and still shows its own left edge.
        {{3000, 100, 44, 600},
         Align::Vertical,
         {3042, 170},
         {" lunghezza: 70", " posizione: 3000", " cursore x: 3042", " cursore y: 170"}},
        {{40000, 100, 44, 600},
         Align::Vertical,
         {40001, 35000},
         {" lunghezza: 34900", " posizione: 40000", " cursore x: 40001", " cursore y: 35000"}},
    };
    for (const Case& c : cases) {
        auto rule = ruler(c.ruler);
        hover(*rule, c.align, c.cursor);
        ASSERT_NE(frmPositionInfo::loadedInstance(), nullptr);
        EXPECT_TRUE(frmPositionInfo::loadedInstance()->isVisible());
        EXPECT_EQ(panelLines(), c.lines);
        EXPECT_EQ(frmPositionInfo::loadedInstance()->pos(), c.cursor + QPoint(15, 15));
        // The left edge shown does not depend on the size the panel took before.
        hover(*rule, c.align, c.cursor + QPoint(1, 1));
        EXPECT_EQ(panelLines().value(1), c.lines.value(1));
    }
}

TEST(PositionPanel, FollowsTheCursorAndClosesOverTheMiddleBand) {
    auto rule = ruler(QRect(100, 200, 400, 44));
    hover(*rule, Align::Horizontal, QPoint(140, 203));
    frmPositionInfo* first = frmPositionInfo::loadedInstance();
    hover(*rule, Align::Horizontal, QPoint(300, 241));
    EXPECT_EQ(frmPositionInfo::loadedInstance(), first);
    EXPECT_EQ(first->pos(), QPoint(315, 256));
    EXPECT_EQ(panelLines().value(0), " lunghezza: 200");

    hover(*rule, Align::Horizontal, QPoint(300, 222));
    EXPECT_EQ(frmPositionInfo::loadedInstance(), nullptr);
    EXPECT_FALSE(IsFormLoaded("frmPositionInfo"));
    // Off the edges with no panel open is harmless, and the edge opens a fresh one.
    hover(*rule, Align::Horizontal, QPoint(300, 222));
    hover(*rule, Align::Horizontal, QPoint(300, 200));
    EXPECT_TRUE(IsFormLoaded("frmPositionInfo"));
}

TEST(PositionPanel, IsSizedToItsTextAndLooksLikeATooltip) {
    auto rule = ruler(QRect(100, 200, 400, 44));
    hover(*rule, Align::Horizontal, QPoint(140, 203));
    frmPositionInfo* panel = frmPositionInfo::loadedInstance();
    ASSERT_NE(panel, nullptr);
    const QFontMetrics metrics(panel->font());
    int widest = 0;
    for (const QString& line : panelLines())
        widest = qMax(widest, metrics.horizontalAdvance(line));
    EXPECT_EQ(panel->width(), widest + 10 + 2);
    EXPECT_GE(panel->height(), 4 * metrics.lineSpacing() + 3);
    EXPECT_NEAR(panel->windowOpacity(), 210 / 255.0, 0.01);

    const QImage image = panel->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QColor background = QToolTip::palette().color(QPalette::ToolTipBase);
    EXPECT_EQ(image.pixelColor(QPoint(panel->width() - 4, 2) * ratio), background);

    // Longer numbers widen it.
    hover(*rule, Align::Horizontal, QPoint(499, 243));
    rule->move(100000, 200);
    hover(*rule, Align::Horizontal, QPoint(100010, 243));
    EXPECT_GT(panel->width(), widest + 12);
}

TEST(PositionPanel, ShowingItLeavesTheActiveWindowActive) {
    auto rule = ruler(QRect(100, 200, 400, 44));
    QWidget other;
    other.setGeometry(600, 600, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    hover(*rule, Align::Horizontal, QPoint(140, 203));
    frmPositionInfo* panel = frmPositionInfo::loadedInstance();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &other);
}
