#include "widgettest.h"

#include "core/formlist.h"
#include "rulers/frmRule.h"
#include "rulers/rulerpainter.h"
#include "rulers/rulerskin.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace vantor;

namespace {

bool isWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

bool isBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// Any white or nearly white pixel (text is smoothed) in the rectangle, both corners included.
bool anyWhite(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) > 170)
                return true;
    return false;
}

// The white run of column x (horizontal ruler) or row y (vertical) starting at `from`.
int whiteRun(const QImage& image, bool vertical, int at, int from, int step) {
    int length = 0;
    for (int i = from; i >= 0 && i < (vertical ? image.width() : image.height()); i += step) {
        if (!(vertical ? isWhite(image, i, at) : isWhite(image, at, i)))
            break;
        ++length;
    }
    return length;
}

frmRule& newRule() {
    auto* rule = new frmRule; // released by the form list when the test unloads it
    return *rule;
}

TEST(RulerLook, NewRulerIsAHorizontalTranslucentStripAsThickAsItsSkin) {
    frmRule& rule = newRule();
    EXPECT_EQ(rule.RuleAlign(), Align::Horizontal);
    EXPECT_EQ(rule.Lenght(), 355);
    EXPECT_EQ(rule.size(), QSize(355, builtInRulerSkin(QStringLiteral("h_back.gif")).height()));
    EXPECT_TRUE(rule.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(rule.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(rule.windowFlags().testFlag(Qt::Tool));
    EXPECT_NEAR(rule.windowOpacity(), 200 / 255.0, 0.01);
    EXPECT_TRUE(IsFormLoaded(QStringLiteral("frmRule")));
    EXPECT_EQ(rule.resizeHandle().geometry(), QRect(345, 0, 10, rule.height()));
    // No skin folder lies beside the test program, so the built-in picture stands in.
    EXPECT_EQ(rule.face().pixel(150, 22),
              builtInRulerSkin(QStringLiteral("h_back.gif")).pixel(0, 22));
}

TEST(RulerLook, TicksOnBothEdgesFollowTheTable) {
    frmRule& rule = newRule();
    rule.setLenght(600);
    const QImage face = rule.face();
    const int thickness = face.height();
    struct Case {
        int x, top, bottom;
    };
    for (const Case& c : {Case{102, 3, 5}, Case{110, 5, 7}, Case{200, 10, 12}, Case{500, 10, 12},
                          Case{578, 3, 5}}) {
        SCOPED_TRACE(c.x);
        EXPECT_FALSE(isWhite(face, c.x, 0));
        EXPECT_EQ(whiteRun(face, false, c.x, 1, 1), c.top);
        EXPECT_EQ(whiteRun(face, false, c.x, thickness - 1, -1), c.bottom);
        EXPECT_FALSE(isWhite(face, c.x + 1, 2));
        EXPECT_FALSE(isWhite(face, c.x - 1, thickness - 2));
    }
}

TEST(RulerLook, NumbersSitFourPixelsRightOfTheirTickOnBothEdges) {
    frmRule& rule = newRule();
    const QImage face = rule.face();
    const QFontMetrics metrics(rulerFont(false));
    const int height = metrics.height();
    for (const int at : {100, 200, 300}) {
        SCOPED_TRACE(at);
        const int width = metrics.horizontalAdvance(QString::number(at));
        const QRect top(at + 4, 5, width, height);
        const QRect bottom(at + 4, face.height() - (height + 8), width, height);
        EXPECT_TRUE(anyWhite(face, top));
        EXPECT_TRUE(anyWhite(face, bottom));
        EXPECT_FALSE(anyWhite(face, QRect(at + 1, 11, 2, height)));
        EXPECT_FALSE(anyWhite(face, QRect(at + 4, top.bottom() + 2, width, 1)));
    }
    // Nothing past the last whole hundred of a 355-pixel ruler.
    EXPECT_FALSE(anyWhite(
        face, QRect(304 + metrics.horizontalAdvance(QStringLiteral("300")) + 1, 11, 20, 12)));
}

TEST(RulerLook, LengthLabelSitsInABlackBoxAndAShortRulerShowsOnlyTheNumber) {
    frmRule& rule = newRule();
    const QFontMetrics metrics(rulerFont(true));
    const int height = metrics.height();
    for (const auto& [lenght, label] :
         {std::pair{355, QStringLiteral("Lenght 355 px")}, std::pair{57, QStringLiteral("57")}}) {
        SCOPED_TRACE(lenght);
        EXPECT_EQ(rulerLabel(QStringLiteral("Lenght"), lenght), label);
        rule.setLenght(lenght);
        const QImage face = rule.face();
        const int width = metrics.horizontalAdvance(label);
        const int y0 = int(std::nearbyint(face.height() / 2.0 - height / 2.0 - 2));
        EXPECT_TRUE(isBlack(face, 0, y0));
        EXPECT_TRUE(isBlack(face, 4, y0 + height / 2));
        EXPECT_TRUE(isBlack(face, width + 10, y0 + 1));
        EXPECT_TRUE(isBlack(face, width + 10, y0 + height + 2));
        EXPECT_FALSE(isBlack(face, width + 11, y0 + 1));
        EXPECT_TRUE(anyWhite(face, QRect(8, y0, width, height)));
    }
}

TEST(RulerLook, VerticalFaceHasTurnedTicksAndUpwardNumbers) {
    frmRule& rule = newRule();
    rule.mPopupRotate_Click();
    const QImage face = rule.face();
    ASSERT_EQ(face.size(), QSize(rule.width(), 355));
    const int thickness = face.width();
    EXPECT_EQ(whiteRun(face, true, 100, 0, 1), 11);
    EXPECT_EQ(whiteRun(face, true, 100, thickness - 1, -1), 11);
    EXPECT_EQ(whiteRun(face, true, 110, 0, 1), 6);
    EXPECT_EQ(whiteRun(face, true, 110, thickness - 1, -1), 6);
    EXPECT_EQ(whiteRun(face, true, 112, 0, 1), 4);
    EXPECT_EQ(whiteRun(face, true, 112, thickness - 1, -1), 4);

    // The number of the tick at 100 runs upward and ends 3 pixels below the tick.
    const QFontMetrics metrics(rulerFont(false));
    const int width = metrics.horizontalAdvance(QStringLiteral("100"));
    const QRect cell(4, 103, metrics.height() - 1, width);
    EXPECT_TRUE(anyWhite(face, cell));
    EXPECT_FALSE(anyWhite(face, QRect(4, 101, metrics.height() - 1, 1)));
    EXPECT_FALSE(anyWhite(face, QRect(12, cell.bottom() + 2, metrics.height() - 9, 1)));
    // Upward text is taller than wide.
    int top = face.height(), bottom = -1;
    for (int y = 101; y < 100 + 3 + width + 3; ++y)
        if (anyWhite(face, QRect(4, y, metrics.height() - 1, 1))) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    EXPECT_GT(bottom - top, metrics.height());
}

TEST(RulerLook, VerticalLabelReadsUpwardInItsBox) {
    frmRule& rule = newRule();
    rule.mPopupRotate_Click();
    const QImage face = rule.face();
    const QFontMetrics metrics(rulerFont(true));
    const int width = metrics.horizontalAdvance(QStringLiteral("Lenght 355 px"));
    const int height = metrics.height();
    const int x0 = int(std::nearbyint(face.width() / 2.0 - height / 2.0 - 2));
    EXPECT_TRUE(isBlack(face, x0, 0));
    EXPECT_TRUE(isBlack(face, x0 + height + 2, width + 10));
    EXPECT_FALSE(isBlack(face, x0 + 1, width + 11));
    EXPECT_TRUE(anyWhite(face, QRect(x0, 5, height, width)));
}

TEST(RulerLook, ScaledScreensGetOneDevicePixelTicks) {
    RulerFace face;
    face.align = Align::Horizontal;
    face.size = QSize(300, 44);
    face.back = builtInRulerSkin(QStringLiteral("h_back.gif"));
    face.lenghtWord = QStringLiteral("Lenght");
    QImage canvas = makeRulerCanvas(face.size, 2.0);
    drawRuler(canvas, face, false);
    ASSERT_EQ(canvas.size(), QSize(600, 88));
    EXPECT_TRUE(isWhite(canvas, 400, 2));
    EXPECT_TRUE(isWhite(canvas, 400, 21));
    EXPECT_FALSE(isWhite(canvas, 401, 4));
    EXPECT_FALSE(isWhite(canvas, 400, 22));
    EXPECT_TRUE(isWhite(canvas, 404, 2));
}

TEST(RulerLook, QuickRedrawAddsTheNewStretchWithoutClearing) {
    frmRule& rule = newRule();
    rule.move(100, 100);
    rule.show();
    test::moveHeld(rule.resizeHandle(), QPoint(100 + 385, 120));
    ASSERT_EQ(rule.Lenght(), 385);
    const QImage face = rule.face();
    EXPECT_EQ(whiteRun(face, false, 100, 1, 1), 10);
    EXPECT_EQ(whiteRun(face, false, 360, 1, 1), 5);
    EXPECT_EQ(whiteRun(face, false, 370, 1, 1), 5);
    // The old end cap at 345..354 was not cleared away: ticks from 286 were redrawn over it.
    EXPECT_EQ(whiteRun(face, false, 350, 1, 1), 5);
}

} // namespace
